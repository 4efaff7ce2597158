// INSTALL.CFG on disk: the installer writes it into the install folder, the uninstaller reads
// it from beside its own program file.
#pragma once
#include "core/record.h"

#include <windows.h>

#include <string>

// Writes installFolder + "\INSTALL.CFG", replacing an existing file, readable by others
// meanwhile. Nothing is reported: a record that cannot be created or written in full is
// found missing or short by the uninstaller.
void WriteProductRecord(const std::string& installFolder, const ProductRecord& record);

// Reads the record from a file the caller opened for reading (and closes). A read that fails
// raises a failure with the system's text for it.
ProductRecord ReadProductRecord(HANDLE file);
