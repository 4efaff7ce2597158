#include "win/windows_info.h"

#include "win/text.h"

#include <windows.h>

std::string WindowsFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
  return length <= MAX_PATH ? FromWide(std::wstring(buffer, length)) : std::string();
}

WindowsVersion RunningWindowsVersion() { return VersionFromGetVersion(GetVersion()); }
