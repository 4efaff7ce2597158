// A whole round trip on a fresh prefix, compared with the machine before it: drive C: and the
// registry are taken down before the installation of the sample medium and again after its
// removal (and after the removal script has ended). Everything that differs must be on the
// allow-list below, each line with the reason the programs keep it on purpose. A snapshot
// between the two shows that the installation's traces are seen at all.
#include "core/texts.h"
#include "setup/controls.h"
#include "tests/support/driver.h"
#include "tests/support/medium.h"
#include "tests/support/setup_driver.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>

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

// A key path or value name as Wine writes it down, its escapes undone ("\\\\" is one
// backslash); the \x escapes of other characters are kept as written.
std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && strchr("\\\"[]", text[i + 1])) ++i;
    out += text[i];
  }
  return out;
}

// Every key and value of a registry branch, each key with its attribute lines (a link, a
// class) and each value with its type and data, under "<name>\<path>". The branch is written
// to a file by Wine's registry server in one request (RegSaveKeyW), in its text format, and
// that file is read: a walk key by key (RegEnumKeyExW, RegEnumValueW) takes minutes under Wine.
// Volatile keys are not written; they do not outlive a restart. The keys' modification times are
// left out.
void TakeRegistry(HKEY root, const std::string& name, const std::string& folder, Snapshot& out) {
  const std::string file = folder + "\\registry.txt";
  DeleteFileW(Wide1256(file).c_str());
  const LONG saved = RegSaveKeyW(root, Wide1256(file).c_str(), nullptr);
  if (saved != ERROR_SUCCESS)
    throw std::runtime_error("cannot save " + name + ": error " + std::to_string(saved));
  std::istringstream lines(ReadAll(file));
  DeleteFileW(Wide1256(file).c_str());
  std::string line, key, next;
  while (std::getline(lines, line)) {
    // Long data goes on over lines that end in a backslash, each next one indented.
    while (!line.empty() && line.back() == '\\' && std::getline(lines, next)) {
      line.pop_back();
      line += next.erase(0, next.find_first_not_of(' '));
    }
    if (line.empty() || line.rfind("#time=", 0) == 0) continue;
    if (line[0] == '[') {  // [path] modification time
      key = name + "\\" + Unescaped(line.substr(1, line.rfind(']') - 1));
      out["key " + key] = "";
      // A key with sub-keys and no values is not written down by itself: its path shows it.
      for (size_t slash = key.find('\\', name.size() + 1); slash != std::string::npos;
           slash = key.find('\\', slash + 1))
        out.emplace("key " + key.substr(0, slash), "");
    } else if (key.empty()) {
      continue;  // the file's header
    } else if (line[0] == '#') {
      out["key " + key] += line + " ";
    } else if (line[0] == '@') {  // @=data: the key's default value
      out["value " + key + " : @"] = line.substr(2);
    } else if (line[0] == '"') {  // "name"=data
      size_t close = 1;
      while (close < line.size() && line[close] != '"') close += line[close] == '\\' ? 2 : 1;
      out["value " + key + " : " + Unescaped(line.substr(1, close - 1))] = line.substr(close + 2);
    }
  }
}

// The registry server writes a branch down only for a caller holding the backup privilege.
void EnableBackupPrivilege() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
    throw std::runtime_error("no access to the process's privileges");
  TOKEN_PRIVILEGES privileges = {1};
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // AdjustTokenPrivileges succeeds without granting a privilege the token lacks: the last
  // error then says so.
  const bool enabled =
      LookupPrivilegeValueW(nullptr, L"SeBackupPrivilege", &privileges.Privileges[0].Luid) &&
      AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
      GetLastError() == ERROR_SUCCESS;
  CloseHandle(token);
  if (!enabled) throw std::runtime_error("no backup privilege");
}

// The whole registry (HKLM and HKU: the other roots are views of these two) and drive C:.
// folder: where the registry is written down meanwhile; it is gone again before drive C: is
// taken.
Snapshot TakeSnapshot(const std::string& folder) {
  Snapshot snapshot;
  TakeRegistry(HKEY_LOCAL_MACHINE, "HKLM", folder, snapshot);
  TakeRegistry(HKEY_USERS, "HKU", folder, snapshot);
  TakeFiles(L"C:", snapshot);
  return snapshot;
}

// What the programs keep on purpose, checked against real runs of the 64-bit programs and of
// the 32-bit ones under WoW64 (which keep theirs in SysWOW64 and the 32-bit view of
// HKLM\Software, Wow6432Node). Patterns match the whole line ("file C:\...", "key HKLM\...",
// "value HKU\<user>\... : name"), letter case aside.
// The items the uninstaller moves to the recycle bin do not show: under Wine the recycle bin
// is the desktop's trash folder, outside drive C:.
struct Allowed {
  const char* pattern;
  const char* why;
};
const Allowed kAllowed[] = {
    // System libraries stay: other programs may use them, and Windows counts no references.
    {R"(file C:\\windows\\(system32|syswow64)\\SampleServer\.dll)",
     "the system library of the medium"},
    {R"((key|value) HKLM\\Software\\(Wow6432Node\\)?Sample Accounts(\\Server( : Registered)?)?)",
     "the system library's own registration (DllRegisterServer)"},
    // Fonts stay installed and registered, for the documents made with them.
    {R"(file C:\\windows\\Fonts\\[^\\]+\.ttf)", "the medium's fonts"},
    {R"(value HKLM\\Software\\(Wow6432Node\\)?Microsoft\\windows( NT)?\\CurrentVersion\\Fonts : .*)",
     "the fonts' registry values"},
    // The Persian locale settings stay: the user chose them by installing.
    {R"(value HKLM\\System\\CurrentControlSet\\Control\\Nls\\(CodePage : (ACP|OEMCP|MACCP)|Language : (Default|0429)))",
     "the code pages and the default and Persian language"},
    {R"((key|value) HKLM\\System\\CurrentControlSet\\Control\\keyboard layouts(\\00000429( : Layout (File|Text))?)?)",
     "the Farsi keyboard layout (and the key of layouts, which Wine lacks)"},
    {R"(value HKU\\[^\\]+\\Control Panel\\International(\\Geo : Nation| : .*))",
     "the user's regional settings and country"},
    // The uninstaller reserves its script's name with an empty .tmp file and leaves it.
    {R"(file .*\\e2e-round-trip-snapshot-temp\\uis[0-9A-Fa-f]+\.tmp)", "the empty .tmp file"},
    // Not the programs' (they write neither key): Wine's font setup records the code pages it
    // runs under and the system fonts for them. Under WoW64 a 32-bit program under the UTF-8
    // locale records other ones ("65001,65001" where the prefix had "1252,437").
    {R"(value HKU\\[^\\]+\\Software\\Wine\\Fonts : Codepages)", "Wine's code pages of its fonts"},
    {R"(value HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts : .*)",
     "Wine's system fonts for those code pages"},
};

bool IsAllowed(const std::string& line) {
  for (const Allowed& allowed : kAllowed)
    if (std::regex_match(line, std::regex(allowed.pattern, std::regex::icase))) return true;
  return false;
}

}  // namespace

TEST(RoundTripSnapshotInOwnPrefix, LeavesOnlyWhatIsKeptOnPurpose) {
  EnableBackupPrivilege();
  // Wine's desktop process writes the display devices' registry values, with the time, when
  // it starts: with the installer's first window that would show as a change. On a user's
  // machine the desktop is up before any installer runs.
  GetDesktopWindow();
  MediumSettings settings;
  settings.shortcutName = "Round trip snapshot";
  const std::string medium = NewTestFolder("round-trip-snapshot-medium");
  MakeMedium(medium, settings);
  const std::string temp = NewTestFolder("round-trip-snapshot-temp");
  SetEnvironmentVariableA("TMP", temp.c_str());
  SetEnvironmentVariableA("TEMP", temp.c_str());
  const std::string scratch = NewTestFolder("round-trip-snapshot-registry");
  const Snapshot before = TakeSnapshot(scratch);

  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  const std::string target = PathText(window);
  ASSERT_EQ(InstallAndDeclineRestart(setup, window), 0);
  // The snapshot sees what the removal must take away: the program, its shortcut, its entry.
  const Snapshot installed = TakeSnapshot(scratch);
  for (const std::string& line :
       {"file " + target + "\\Daftar.EXE",
        "file " + ShellFolder("Desktop") + "\\Round trip snapshot.lnk",
        std::string("key HKLM\\Software\\") +
            (PlacesOfPrograms().view == KEY_WOW64_32KEY ? "Wow6432Node\\" : "") +
            "Microsoft\\Windows\\CurrentVersion\\Uninstall\\Daftar"})
    EXPECT_TRUE(installed.count(line)) << line;

  const Removal removal = RemoveWithUninstaller(target + "\\Uninstall.exe", medium);
  EXPECT_EQ(removal.message, Wide1256(texts::kRemovalDone));
  EXPECT_EQ(removal.exitCode, 0);
  ASSERT_TRUE(removal.scriptEnded) << "the removal script still runs";
  ASSERT_FALSE(Exists(target));
  ASSERT_TRUE(Names(temp + "\\*.bat").empty());

  const Snapshot after = TakeSnapshot(scratch);
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
