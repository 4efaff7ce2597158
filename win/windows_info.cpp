#include "win/windows_info.h"

#include <windows.h>

std::string WindowsFolder() {
  char buffer[MAX_PATH + 1] = {};
  GetWindowsDirectoryA(buffer, MAX_PATH);
  return buffer;
}

WindowsVersion RunningWindowsVersion() { return VersionFromGetVersion(GetVersion()); }
