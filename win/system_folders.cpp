#include "win/system_folders.h"

#include "win/files.h"
#include "win/registry.h"
#include "win/temp_files.h"

#include <windows.h>
#include <shlobj.h>

namespace {

using Fetch = UINT(WINAPI*)(LPSTR, UINT);

std::string SystemPath(Fetch fetch) {
  char buffer[MAX_PATH + 1] = "";
  UINT length = fetch(buffer, MAX_PATH);
  return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : std::string();
}

// Every text value of a key, whatever its name.
void AddTextValues(HKEY root, const char* key, std::vector<std::string>& out) {
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    BYTE data[4096];
    DWORD nameLength = sizeof name, type = 0, size = sizeof data - 1;
    LONG result = RegEnumValueA(handle, index, name, &nameLength, nullptr, &type, data, &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
    data[size] = 0;
    out.push_back(reinterpret_cast<char*>(data));
  }
  RegCloseKey(handle);
}

}  // namespace

std::vector<std::string> ProtectedFolders() {
  std::vector<std::string> folders = {
      SystemPath(GetWindowsDirectoryA),
      SystemPath(GetSystemDirectoryA),
      SystemPath(GetSystemWindowsDirectoryA),
      SystemPath(GetSystemWow64DirectoryA),
      TempFolderPath(),
  };
  char profile[MAX_PATH] = "";
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, 0, profile)))
    folders.push_back(profile);

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
  const std::string full = FullPath(path);
  char buffer[MAX_PATH + 1];
  DWORD length = GetLongPathNameA(full.c_str(), buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : full;
}

std::string FinalPath(const std::string& path) {
  const std::string full = LongFullPath(path);
  // Present from Windows Vista on; the programs also run where it is not.
  using Final = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  const auto finalPath = reinterpret_cast<Final>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  if (!finalPath) return full;
  // Backup semantics open folders too; nothing is read or written.
  HANDLE handle =
      CreateFileA(full.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return full;
  char buffer[MAX_PATH * 4];
  DWORD length = finalPath(handle, buffer, sizeof buffer, 0);
  CloseHandle(handle);
  if (length == 0 || length >= sizeof buffer) return full;
  std::string result(buffer, length);
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
    DWORD attributes = GetFileAttributesA(part.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      return true;
    if (end == std::string::npos) return false;
  }
}
