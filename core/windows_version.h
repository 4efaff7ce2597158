// What the installer decides from the Windows version: the system folder, the way to ask
// for a restart and whether the locale step runs a second time. The version comes from
// GetVersion: major = low-order byte, minor = high-order byte of the low-order word.
#pragma once
#include <cstdint>
#include <string>

struct WindowsVersion {
  int major;
  int minor;
};

WindowsVersion VersionFromGetVersion(uint32_t value);

// The Windows folder followed by "\System32\" above major version 4, "\System\" otherwise.
std::string SystemFolderOf(const std::string& windowsFolder, WindowsVersion version);
// The Windows folder followed by "\Fonts\", on every version.
std::string FontsFolderOf(const std::string& windowsFolder);

enum class RestartWay {
  kShutdownByAddress,  // InitiateSystemShutdownA naming the machine by its first address
  kExitWindows,        // ExitWindowsEx(EWX_REBOOT, 2)
};
// Only version 5.1 takes the shutdown request by address.
RestartWay RestartWayFor(WindowsVersion version);

// The installation applies the locale settings (mode 0) once more above major version 4.
bool RunsSecondLocaleStep(WindowsVersion version);

// Dotted decimal text of an address's four bytes in stored (network) order.
std::string DottedAddress(const unsigned char bytes[4]);
