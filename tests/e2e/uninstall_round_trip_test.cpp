// Install, then uninstall: the real setup.exe installs the sample medium, then the installed
// uninstaller, started through the UninstallString as the list of installed programs starts
// it, removes everything, and at last itself and the install folder. Each run has a prefix of
// its own (installations change the machine). The suite runs under both ANSI code pages,
// 1252 and 1256: a product with Persian names installs and removes the same under both, and
// the names are checked as the wide functions see them, the way Windows shows them. The
// win32 tier runs it with the shipped 32-bit programs under WoW64.
#include "core/names.h"
#include "core/texts.h"
#include "tests/support/driver.h"
#include "tests/e2e/installed.h"
#include "tests/support/medium.h"
#include "tests/support/setup_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace e2e;

namespace {

bool KeyExists(const std::string& key, REGSAM view) {
  HKEY handle;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide1256(key).c_str(), 0, KEY_READ | view, &handle) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

// The Unix path of the recycle bin's record: UTF-8, blanks and other bytes as %XX.
std::string TrashPath(const std::string& unixPath) {
  const std::wstring wide = Wide1256(unixPath);
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &utf8[0],
                                  (int)utf8.size(), nullptr, nullptr));
  std::string out;
  for (unsigned char c : utf8) {
    char escaped[4];
    wsprintfA(escaped, "%%%02X", c);
    out += c == ' ' || c >= 0x80 ? std::string(escaped) : std::string(1, char(c));
  }
  return out;
}

// Whether the recycle bin holds this prefix's C:\<path> (Trash/info/*.trashinfo).
bool InTrash(const std::string& windowsPath) {
  char home[MAX_PATH] = "", prefix[MAX_PATH] = "";
  GetEnvironmentVariableA("XDG_DATA_HOME", home, sizeof home);
  GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  std::string unixPath = windowsPath.substr(2);
  for (char& c : unixPath)
    if (c == '\\') c = '/';
  const std::string expected =
      std::string("Path=") + prefix + "/dosdevices/c:" + TrashPath(unixPath);
  const std::string info = WindowsPath(home) + "\\Trash\\info\\";
  for (const std::string& name : Names(info + "*.trashinfo")) {
    std::string text;
    ReadFile(info + name, &text);
    size_t at = text.find("Path=");
    if (at != std::string::npos &&
        lstrcmpiA(text.substr(at, text.find('\n', at) - at).c_str(), expected.c_str()) == 0)
      return true;
  }
  return false;
}

// A file of the payload whose name code page 1256 cannot spell (数据.txt).
const wchar_t kChineseName[] = L"\u6570\u636E.txt";

struct RoundTrip {
  const char* name;
  const char* parent;  // the folder chosen in the chooser, or none for the proposed one
  const char* folderName;
  const char* programName;
  const char* shortcutName;
  const char* tempName;     // the temporary folder the uninstaller runs with
  bool otherScriptPayload;  // a payload file named in another script
};

void PrintTo(const RoundTrip& trip, std::ostream* out) { *out << trip.name; }

}  // namespace

class UninstallRoundTripInOwnPrefix : public testing::TestWithParam<RoundTrip> {};

TEST_P(UninstallRoundTripInOwnPrefix, RemovesWhatTheInstallerLeft) {
  const RoundTrip& trip = GetParam();
  // Each registration runs under its own ANSI code page (LC_ALL=fa_IR.UTF-8 gives 1256).
  const char* locale = std::getenv("LC_ALL");
  EXPECT_EQ(GetACP(), locale && std::string(locale).rfind("fa_IR", 0) == 0 ? 1256u : 1252u);
  MediumSettings settings;
  settings.defaultFolderName = trip.folderName;
  settings.programName = trip.programName;
  settings.shortcutName = trip.shortcutName;
  const std::string medium = NewTestFolder("round-trip-medium");
  MakeMedium(medium, settings);
  const std::wstring otherScript =
      Wide1256(medium + "\\" + settings.sourceFolder + "\\data\\") + kChineseName;
  if (trip.otherScriptPayload) {
    HANDLE file =
        CreateFileW(otherScript.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "other script", 12, &written, nullptr);
    CloseHandle(file);
  }
  const std::string temp = NewTestFolder(trip.tempName);

  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  if (trip.parent) ChooseFolder(setup, window, trip.parent);
  const std::string target = PathText(window);
  EXPECT_EQ(Wide1256(target),
            Wide1256(std::string(trip.parent ? trip.parent : "C:") + "\\" + trip.folderName));
  ASSERT_EQ(InstallAndDeclineRestart(setup, window), 0);
  ExpectInstalled(target, settings);

  // What Windows sees: the install folder, the program, the payload's names, the shortcuts
  // and the entry in the list of installed programs, each under its own name.
  const std::string program = target + "\\" + trip.programName + ".EXE";
  for (const std::string& file : {program, target + "\\data\\گزارش.txt", target + "\\INSTALL.CFG"})
    EXPECT_TRUE(IsFile(file)) << file;
  const std::wstring installedOther = Wide1256(target + "\\data\\") + kChineseName;
  if (trip.otherScriptPayload) {
    // Reached by its short name, installed under its long name, with its content.
    HANDLE file = CreateFileW(installedOther.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    char content[64] = "";
    DWORD got = 0;
    if (file != INVALID_HANDLE_VALUE) ::ReadFile(file, content, sizeof content, &got, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    EXPECT_EQ(std::string(content, got), "other script");
  }
  const std::string link = LinkFileName(settings.shortcutName);
  const std::string desktopLink = ShellFolder("Desktop") + "\\" + link;
  const std::string group = ShellFolder("Start Menu") + "\\programs\\Selvara";
  ASSERT_TRUE(IsFile(desktopLink));
  ASSERT_TRUE(IsFile(group + "\\" + link));
  const std::string key = UninstallKey(trip.programName);
  const ProgramsPlaces places = PlacesOfPrograms();
  const std::string uninstallString =
      RegistryText(HKEY_LOCAL_MACHINE, key, "UninstallString", places.view);
  ASSERT_EQ(uninstallString, target + "\\Uninstall.exe");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "DisplayName", places.view), trip.programName);

  SetEnvironmentVariableW(L"TMP", Wide1256(temp).c_str());
  SetEnvironmentVariableW(L"TEMP", Wide1256(temp).c_str());
  const Removal removal = RemoveWithUninstaller(uninstallString, medium);
  EXPECT_EQ(removal.message, Wide1256(texts::kRemovalDone));
  EXPECT_EQ(removal.exitCode, 0);
  EXPECT_TRUE(removal.scriptEnded) << "the removal script still runs";
  EXPECT_FALSE(Exists(target)) << testing::PrintToString(Names(target + "\\*"));
  EXPECT_TRUE(Names(temp + "\\*.bat").empty());
  std::vector<std::string> left = Names(temp + "\\*");
  ASSERT_EQ(left.size(), 1u) << testing::PrintToString(left);
  EXPECT_EQ(left[0].substr(left[0].size() - 4), ".tmp");
  EXPECT_FALSE(IsFile(desktopLink));
  EXPECT_FALSE(Exists(group));
  EXPECT_FALSE(KeyExists(key, places.view));
  EXPECT_FALSE(KeyExists(key, places.otherView));
  for (const std::string& name :
       {std::string(trip.programName) + ".EXE", std::string("INSTALL.CFG"), std::string("data")})
    EXPECT_TRUE(InTrash(target + "\\" + name)) << name;
  EXPECT_FALSE(InTrash(target + "\\Uninstall.EXE"));
  EXPECT_TRUE(InTrash(group));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, UninstallRoundTripInOwnPrefix,
    testing::Values(RoundTrip{"Plain", nullptr, "Daftar", "Daftar", "Round trip Plain",
                              "round trip temp", false},
                    RoundTrip{"Blanks", "C:\\Program Files", "Acme Tools", "Daftar",
                              "Round trip Blanks", "round trip temp", false},
                    // Letters that the OEM code page of a Persian Windows (720) lacks too: گ and پ.
                    RoundTrip{"Persian", nullptr, "حسابداري گزارش", "دفتر حساب", "دفتر پرداخت",
                              "موقت گزارش", true}),
    [](const testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });
