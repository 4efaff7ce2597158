// Install, then uninstall: the real setup.exe installs the sample medium, then the installed
// uninstaller, started through the UninstallString as the list of installed programs starts
// it, removes everything, and at last itself and the install folder. Each run has a prefix of
// its own (installations change the machine). The win32 tier runs it with the shipped 32-bit
// programs under WoW64.
#include "core/texts.h"
#include "setup/controls.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/installed.h"
#include "tests/e2e/medium.h"
#include "tests/e2e/setup_driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const POINT kUninstallOk = {443 + 117 / 2, 472 + 44 / 2};

bool KeyExists(const char* key, REGSAM view) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// Whether the recycle bin holds this prefix's C:\<path> (Trash/info/*.trashinfo, blanks %20).
bool InTrash(const std::string& windowsPath) {
  char home[MAX_PATH] = "", prefix[MAX_PATH] = "";
  GetEnvironmentVariableA("XDG_DATA_HOME", home, sizeof home);
  GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  std::string expected = std::string("Path=") + prefix + "/dosdevices/c:";
  for (char c : windowsPath.substr(2))
    expected += c == '\\' ? std::string("/") : c == ' ' ? std::string("%20") : std::string(1, c);
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

struct RoundTrip {
  const char* name;
  const char* parent;  // the folder chosen in the chooser, or none for the proposed one
  const char* folderName;
};

void PrintTo(const RoundTrip& trip, std::ostream* out) { *out << trip.name; }

}  // namespace

class UninstallRoundTripInOwnPrefix : public testing::TestWithParam<RoundTrip> {};

TEST_P(UninstallRoundTripInOwnPrefix, RemovesWhatTheInstallerLeft) {
  const RoundTrip& trip = GetParam();
  MediumSettings settings;
  settings.defaultFolderName = trip.folderName;
  // Both code pages' prefixes share the desktop folder: a shortcut name of this test alone.
  settings.shortcutName = std::string("Round trip ") + trip.name;
  const std::string medium = NewTestFolder("round-trip-medium");
  MakeMedium(medium, settings);
  const std::string temp = NewTestFolder("round trip temp");

  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitMainWindow(setup);
  ASSERT_TRUE(window);
  if (trip.parent) ChooseFolder(setup, window, trip.parent);
  const std::string target = PathText(window);
  ClickControl(window, kNext1);
  HWND question = WaitDialog(setup, 60000);
  ASSERT_TRUE(question);
  PressButton(question, L"&No");
  ASSERT_EQ(setup.WaitExit(), 0);
  ExpectInstalled(target, settings);
  const std::string link = settings.shortcutName + ".lnk";
  const std::string desktopLink = ShellFolder("Desktop") + "\\" + link;
  const std::string group = ShellFolder("Start Menu") + "\\programs\\Selvara";
  ASSERT_TRUE(IsFile(desktopLink));
  ASSERT_TRUE(IsFile(group + "\\" + link));
  const ProgramsPlaces places = PlacesOfPrograms();
  const std::string uninstallString = RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", places.view);
  ASSERT_EQ(uninstallString, target + "\\Uninstall.exe");

  SetEnvironmentVariableA("TMP", temp.c_str());
  SetEnvironmentVariableA("TEMP", temp.c_str());
  Process uninstaller(uninstallString, medium);
  HWND form = WaitWindow(uninstaller, "TForm1");
  ASSERT_TRUE(form);
  Click(form, kUninstallOk.x, kUninstallOk.y);
  HWND done = WaitDialog(uninstaller, 60000);
  ASSERT_TRUE(done);
  EXPECT_EQ(DialogMessage(done), Wide1256(texts::kRemovalDone));
  PressButton(done, L"OK");
  EXPECT_EQ(uninstaller.WaitExit(), 0);

  EXPECT_TRUE(WaitUntil([&] { return !Exists(target); }, 30000))
      << testing::PrintToString(Names(target + "\\*"));
  EXPECT_TRUE(WaitUntil([&] { return Names(temp + "\\*.bat").empty(); }, 10000));
  std::vector<std::string> left = Names(temp + "\\*");
  ASSERT_EQ(left.size(), 1u) << testing::PrintToString(left);
  EXPECT_EQ(left[0].substr(left[0].size() - 4), ".tmp");
  EXPECT_FALSE(IsFile(desktopLink));
  EXPECT_FALSE(Exists(group));
  EXPECT_FALSE(KeyExists(kUninstallKey, places.view));
  EXPECT_FALSE(KeyExists(kUninstallKey, places.otherView));
  for (const char* name : {"Daftar.EXE", "INSTALL.CFG", "data"})
    EXPECT_TRUE(InTrash(target + "\\" + name)) << name;
  EXPECT_FALSE(InTrash(target + "\\Uninstall.EXE"));
  EXPECT_TRUE(InTrash(group));
}

INSTANTIATE_TEST_SUITE_P(Folders, UninstallRoundTripInOwnPrefix,
                         testing::Values(RoundTrip{"Plain", nullptr, "Daftar"},
                                         RoundTrip{"Blanks", "C:\\Program Files", "Acme Tools"}),
                         [](const testing::TestParamInfo<RoundTrip>& info) {
                           return std::string(info.param.name);
                         });
