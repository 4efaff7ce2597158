#include "tests/win/system_test_support.h"

#include "tests/support/driver.h"

namespace system_test {
namespace {
std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text = path;
  return text.substr(0, text.rfind('\\') + 1);
}

// Forgets the registrations of libraries below `folder` left by an earlier run.
void ForgetRegistrations(const std::string& folder) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\InstallerTests\\Registered", 0, KEY_ALL_ACCESS,
                    &key) != ERROR_SUCCESS)
    return;
  char name[1024];
  for (DWORD index = 0;;) {
    DWORD length = sizeof name;
    if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    if (_strnicmp(name, folder.c_str(), folder.size()) == 0)
      RegDeleteValueA(key, name);
    else
      ++index;
  }
  RegCloseKey(key);
}
}  // namespace

Medium NewMedium(const std::string& name) {
  std::string root = e2e::NewTestFolder("system-" + name) + "\\";
  ForgetRegistrations(root);
  std::string target = root + "windows folder\\";
  e2e::MakeFolders(target.substr(0, target.size() - 1));
  return {root, target};
}

std::string ComServerBytes() { return e2e::ReadAll(ProgramFolder() + "test_com_server.dll"); }
std::string PlainLibraryBytes() { return e2e::ReadAll(ProgramFolder() + "test_plain_library.dll"); }

DWORD Registrations(const std::string& path) {
  DWORD count = 0, size = sizeof count;
  RegGetValueA(HKEY_CURRENT_USER, "Software\\InstallerTests\\Registered", path.c_str(),
               RRF_RT_REG_DWORD, nullptr, &count, &size);
  return count;
}

}  // namespace system_test
