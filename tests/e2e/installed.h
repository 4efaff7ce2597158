// What a completed installation of the sample medium leaves on the machine, checked at once
// by the installation tests and the round trip, for 32-bit and 64-bit programs alike: each
// system file and HKLM\Software value is looked for in the place of the programs' bitness
// and must be missing from the other's.
#pragma once
#include "tests/support/medium.h"

#include <string>

namespace e2e {

// The uninstall entry of the sample medium's program, below HKLM.
extern const char kUninstallKey[];

// The payload, INSTALL.CFG and the two programs in the install folder; both shortcuts; the
// uninstall entry; the sample COM library in the system folder and registered; the fonts and
// their registry names; the Persian locale values.
void ExpectInstalled(const std::string& installFolder, const MediumSettings& settings);

}  // namespace e2e
