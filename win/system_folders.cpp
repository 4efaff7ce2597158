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
  return length > 0 && length <= MAX_PATH ? FromWide(std::wstring(buffer, length)) : std::string();
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
  if (machine.Open("Software\\Microsoft\\Windows\\CurrentVersion"))
    for (const char* name : {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir",
                             "CommonFilesDir", "CommonFilesDir (x86)", "CommonW6432Dir"})
      folders.push_back(machine.ReadString(name));

  const char* shellFolders =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
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

std::string FinalPath(const std::string& path) {
  const std::string full = LongFullPath(path);
  // Present from Windows Vista on; the programs also run where it is not.
  using Final = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
  const auto finalPath = reinterpret_cast<Final>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
  if (!finalPath) return full;
  // Backup semantics open folders too; nothing is read or written.
  ScopedHandle handle(CreateFileW(ToWide(full).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.held()) return full;
  std::vector<wchar_t> buffer(MAX_PATH * 4);
  DWORD length = finalPath(handle.get(), buffer.data(), (DWORD)buffer.size(), 0);
  if (length == 0 || length >= buffer.size()) return full;
  std::string result = FromWide(std::wstring(buffer.data(), length));
  if (result.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\" + result.substr(7);
  if (result.compare(0, 4, "\\\\?\\") == 0) return result.substr(4);
  return result;
}

bool HasLinkOnPath(const std::string& path) {
  const std::string full = FullPath(path);
  // Every folder from the drive's root on, and the last entry.
  for (std::string::size_type end = full.find_first_of("\\/", 3);;
       end = full.find_first_of("\\/", end + 1)) {
    const std::string part = full.substr(0, end);
    DWORD attributes = GetFileAttributesW(ToWide(part).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      return true;
    if (end == std::string::npos) return false;
  }
}
