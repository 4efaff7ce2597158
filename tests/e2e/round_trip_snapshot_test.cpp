// A whole round trip on a fresh prefix, compared with the machine before it: drive C: and the
// registry are taken down before the installation of the sample medium and again after its
// removal (and after the removal script has ended). Everything that differs must be on the
// allow-list below, each line with the reason the programs keep it on purpose.
#include "core/texts.h"
#include "setup/controls.h"
#include "tests/support/driver.h"
#include "tests/support/medium.h"
#include "tests/support/setup_driver.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>

using namespace e2e;

namespace {

std::string Utf8(const std::wstring& text) {
  int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
  std::string out(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], length, nullptr, nullptr);
  return out;
}

using Snapshot = std::map<std::string, std::string>;  // what -> its state

// Every file and folder below a folder, with each file's size.
void TakeFiles(const std::wstring& folder, Snapshot& out) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out["file " + Utf8(path)] = "folder";
      // Links lead back into the drive or out of it (the profile folders lead to $HOME).
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) TakeFiles(path, out);
    } else {
      out["file " + Utf8(path)] =
          std::to_string((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow) + " bytes";
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

// Every key and value below a key, each value with its type and data.
void TakeRegistry(HKEY key, const std::string& path, Snapshot& out) {
  out["key " + path] = "";
  std::vector<wchar_t> name(16384);
  std::vector<BYTE> data(1 << 16);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = (DWORD)name.size(), type = 0, size = (DWORD)data.size();
    LONG result =
        RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) continue;
    std::string hex;
    char two[3];
    for (DWORD i = 0; i < size && i < 256; ++i) {
      snprintf(two, sizeof two, "%02x", data[i]);
      hex += two;
    }
    out["value " + path + " : " + Utf8(std::wstring(name.data(), nameLength))] =
        std::to_string(type) + " " + hex;
  }
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = (DWORD)name.size();
    if (RegEnumKeyExW(key, index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    HKEY sub;
    if (RegOpenKeyExW(key, name.data(), 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    TakeRegistry(sub, path + "\\" + Utf8(std::wstring(name.data(), nameLength)), out);
    RegCloseKey(sub);
  }
}

Snapshot TakeSnapshot() {
  Snapshot snapshot;
  TakeFiles(L"C:", snapshot);
  TakeRegistry(HKEY_LOCAL_MACHINE, "HKLM", snapshot);
  TakeRegistry(HKEY_CURRENT_USER, "HKCU", snapshot);
  return snapshot;
}

// What the programs keep on purpose, and what Wine itself changes meanwhile. Patterns match
// the whole line ("file C:\...", "key HKLM\...", "value HKLM\... : name"), letter case aside.
struct Allowed {
  const char* pattern;
  const char* why;
};
const Allowed kAllowed[] = {
    // System libraries stay: other programs may use them, and Windows counts no references.
    {R"(file C:\\windows\\system32\\SampleServer\.dll)", "the system library of the medium"},
    {R"((key|value) HKLM\\Software\\Sample Accounts(\\Server)?( : .*)?)",
     "the system library's own registration (DllRegisterServer)"},
    // Fonts stay installed and registered, for the documents made with them.
    {R"(file C:\\windows\\Fonts\\[^\\]+\.ttf)", "the medium's fonts"},
    {R"(value HKLM\\Software\\Microsoft\\windows( NT)?\\CurrentVersion\\Fonts : .*)",
     "the fonts' registry values"},
    // The Persian locale settings stay: the user chose them by installing.
    {R"(value HKLM\\System\\CurrentControlSet\\Control\\(Nls\\.*|keyboard layouts\\00000429) : .*)",
     "the code pages, language, locale and keyboard values"},
    {R"((key|value) HKLM\\System\\CurrentControlSet\\Control\\(Nls|keyboard layouts)\\.*)",
     "keys the locale step creates for those values"},
    {R"((key|value) HKCU\\Control Panel\\International(\\Geo)?( : .*)?)",
     "the user's regional settings"},
    {R"((key|value) HKCU\\Keyboard Layout\\.*)", "the user's keyboard layouts"},
    // The uninstaller reserves its script's name with an empty .tmp file and leaves it.
    {R"(file .*\\round-trip-snapshot-temp\\uis[0-9A-F]+\.tmp)", "the empty .tmp file"},
    // The recycle bin holds what was removed, restorable (outside drive C: under Wine).
    {R"(file .*\\\$Recycle\.Bin\\.*)", "the items in the recycle bin"},
};

bool IsAllowed(const std::string& line) {
  for (const Allowed& allowed : kAllowed)
    if (std::regex_match(line, std::regex(allowed.pattern, std::regex::icase))) return true;
  return false;
}

}  // namespace

// Disabled: on this machine under load, the two walks of the whole drive and registry did not
// end within 20 minutes, so the allow-list below has not been checked against a real run yet.
// Run it alone with --gtest_also_run_disabled_tests once the walks are made faster.
TEST(RoundTripSnapshotInOwnPrefix, DISABLED_LeavesOnlyWhatIsKeptOnPurpose) {
  MediumSettings settings;
  settings.shortcutName = "Round trip snapshot";
  const std::string medium = NewTestFolder("round-trip-snapshot-medium");
  MakeMedium(medium, settings);
  const std::string temp = NewTestFolder("round-trip-snapshot-temp");
  SetEnvironmentVariableA("TMP", temp.c_str());
  SetEnvironmentVariableA("TEMP", temp.c_str());
  const Snapshot before = TakeSnapshot();

  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  const std::string target = PathText(window);
  ASSERT_EQ(InstallAndDeclineRestart(setup, window), 0);

  const Removal removal = RemoveWithUninstaller(target + "\\Uninstall.exe", medium);
  EXPECT_EQ(removal.message, Wide1256(texts::kRemovalDone));
  EXPECT_EQ(removal.exitCode, 0);
  ASSERT_TRUE(removal.scriptEnded) << "the removal script still runs";
  ASSERT_FALSE(Exists(target));
  ASSERT_TRUE(Names(temp + "\\*.bat").empty());

  const Snapshot after = TakeSnapshot();
  std::vector<std::string> unexplained;
  for (const auto& [what, state] : after) {
    auto was = before.find(what);
    if (was == before.end() || was->second != state)
      if (!IsAllowed(what)) unexplained.push_back("+ " + what + " = " + state);
  }
  for (const auto& [what, state] : before)
    if (!after.count(what) && !IsAllowed(what)) unexplained.push_back("- " + what);
  std::string report;
  for (const std::string& line : unexplained) report += line + "\n";
  EXPECT_TRUE(unexplained.empty()) << unexplained.size() << " unexplained differences:\n" << report;
}
