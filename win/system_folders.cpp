#include "win/system_folders.h"

#include "win/files.h"
#include "win/registry.h"
#include "win/scoped.h"
#include "win/temp_files.h"
#include "win/text.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

namespace {

using Fetch = UINT(WINAPI*)(LPWSTR, UINT);

std::string SystemPath(Fetch fetch) {
  wchar_t buffer[MAX_PATH + 1] = L"";
  UINT length = fetch(buffer, MAX_PATH);
  return length > 0 && length <= MAX_PATH ? FromWide(std::wstring(buffer, length))
                                          : std::string();
}

// Every text value of a key, whatever its name.
void AddTextValues(HKEY root, const char* key, std::vector<std::string>& out) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, ToWide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
  ScopedKey handle(opened);
  std::vector<wchar_t> name(16384), data(4096);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = (DWORD)name.size(), type = 0;
    DWORD size = DWORD((data.size() - 1) * sizeof(wchar_t));
    LONG result = RegEnumValueW(handle.get(), index, name.data(), &nameLength, nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
    data[size / sizeof(wchar_t)] = L'\0';
    out.push_back(FromWide(data.data()));
  }
}

}  // namespace

std::vector<std::string> ProtectedFolders() {
  std::vector<std::string> folders = {
      SystemPath(GetWindowsDirectoryW),
      SystemPath(GetSystemDirectoryW),
      SystemPath(GetSystemWindowsDirectoryW),
      SystemPath(GetSystemWow64DirectoryW),
      TempFolderPath(),
  };
  wchar_t profile[MAX_PATH] = L"";
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, 0, profile)))
    folders.push_back(FromWide(profile));

  Registry machine(HKEY_LOCAL_MACHINE);
  if (machine.Open("Software\\Microsoft\\Windows\\CurrentVersion", false))
    for (const char* name : {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir",
                             "CommonFilesDir", "CommonFilesDir (x86)", "CommonW6432Dir"})
      folders.push_back(machine.ReadString(name));

  const char* shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  AddTextValues(HKEY_CURRENT_USER, shellFolders, folders);
  AddTextValues(HKEY_LOCAL_MACHINE, shellFolders, folders);
  return folders;
}

std::string LongFullPath(const std::string& path) {
  const std::wstring full = ToWide(FullPath(path));
  wchar_t buffer[MAX_PATH + 1];
  DWORD length = GetLongPathNameW(full.c_str(), buffer, MAX_PATH + 1);
  return length > 0 && length < MAX_PATH + 1 ? FromWide(std::wstring(buffer, length))
                                             : FromWide(full);
}
