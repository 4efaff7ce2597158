#include "core/windows_version.h"

WindowsVersion VersionFromGetVersion(uint32_t value) {
  return {int(value & 0xFF), int((value >> 8) & 0xFF)};
}

std::string SystemFolderOf(const std::string& windowsFolder, WindowsVersion version) {
  return windowsFolder + (version.major > 4 ? "\\System32\\" : "\\System\\");
}

std::string FontsFolderOf(const std::string& windowsFolder) { return windowsFolder + "\\Fonts\\"; }

RestartWay RestartWayFor(WindowsVersion version) {
  return version.major == 5 && version.minor == 1 ? RestartWay::kShutdownByAddress
                                                  : RestartWay::kExitWindows;
}

bool RunsSecondLocaleStep(WindowsVersion version) { return version.major > 4; }

std::string DottedAddress(const unsigned char bytes[4]) {
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
         std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}
