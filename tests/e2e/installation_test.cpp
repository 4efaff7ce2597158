// The whole installation, driven as a user drives it: start setup.exe on a prepared medium,
// click the confirm button, answer the final question, and check what is on the machine.
// These suites change HKLM, the system and fonts folders and the locale settings, so each
// test runs in its own copy of the Wine prefix.
#include "core/installation_rules.h"
#include "core/texts.h"
#include "setup/controls.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/medium.h"
#include "tests/e2e/setup_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace e2e;

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\windows\\CurrentVersion\\uninstall\\Daftar";

// Everything a completed installation of the sample medium leaves, checked at once.
void ExpectInstalled(const std::string& installFolder, const MediumSettings& settings) {
  for (const PayloadFile& file : SamplePayload(settings)) {
    if (file.path == settings.programName + ".dat" || file.path == "uninstall.dat") continue;
    std::string bytes;
    EXPECT_TRUE(ReadFile(installFolder + "\\" + file.path, &bytes)) << file.path;
    EXPECT_EQ(bytes, file.content) << file.path;
  }
  EXPECT_EQ(ReadAll(installFolder + "\\Daftar.EXE"), ReadAll(ProgramPath("sample_product.exe")));
  EXPECT_EQ(ReadAll(installFolder + "\\Uninstall.EXE"), ReadAll(ProgramPath("uninstall.exe")));
  EXPECT_FALSE(IsFile(installFolder + "\\Daftar.dat"));
  EXPECT_FALSE(IsFile(installFolder + "\\uninstall.dat"));
  EXPECT_EQ(ReadAll(installFolder + "\\INSTALL.CFG"),
            settings.title1 + "\r\n" + settings.title2 + "\r\n" + settings.defaultFolderName + "\r\n" +
                settings.programName + "\r\n" + settings.shortcutName + "\r\n" + settings.organization + "\r\n");

  const std::string link = settings.shortcutName + ".lnk";
  EXPECT_TRUE(IsFile(ShellFolder("Desktop") + "\\" + link));
  EXPECT_TRUE(IsFile(ShellFolder("Start Menu") + "\\programs\\Selvara\\" + link));

  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), installFolder + "\\Uninstall.exe");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Daftar");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher"), "Selvara Organization");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "Author"), "Tovenar");

  const std::string windows = WindowsFolder();
  EXPECT_EQ(ReadAll(SystemFolder() + "\\SampleServer.dll"), ReadAll(ProgramPath("SampleServer.dll")));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "Software\\Sample Accounts\\Server", "Registered"), "yes");
  EXPECT_TRUE(IsFile(windows + "\\Fonts\\nazli.ttf"));
  EXPECT_TRUE(IsFile(windows + "\\Fonts\\titr.ttf"));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                         "Titr Bold (TrueType)"),
            "titr.ttf");
}

}  // namespace

// Each LocaleMode, installed end to end. The second locale step runs on this Windows
// (version 6.1), so the machine-wide language ends as mode 0 sets it whatever the mode.
class InstallationInOwnPrefix : public testing::TestWithParam<const char*> {};

TEST_P(InstallationInOwnPrefix, InstallsTheMediumAndEndsWithTheFinalScreen) {
  MediumSettings settings;
  settings.localeMode = GetParam();
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings);
  const std::string target = "C:\\Daftar";

  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  ASSERT_EQ(PathText(window), target);
  ClickControl(window, kNext1);

  HWND dialog = WaitDialog(setup, 60000);
  ASSERT_TRUE(dialog);
  if (settings.localeMode == "0") {
    EXPECT_EQ(DialogMessage(dialog), Wide1256(texts::kInstalledSuccessfully));
    EXPECT_EQ(DialogButtons(dialog), std::vector<std::wstring>{L"OK"});
    HWND picture = Control(window, kImageToz);
    EXPECT_TRUE(IsWindowVisible(picture));
    RECT outer, shown = ChildRect(picture);
    GetWindowRect(window, &outer);
    EXPECT_EQ(shown.left, 0);
    EXPECT_EQ(shown.top, 0);
    EXPECT_EQ(shown.right, outer.right - outer.left);
    EXPECT_EQ(shown.bottom, outer.bottom - outer.top);
    PressButton(dialog, L"OK");
  } else {
    EXPECT_EQ(DialogMessage(dialog), Wide1256(RestartQuestionText()));
    EXPECT_EQ(DialogButtons(dialog), (std::vector<std::wstring>{L"&Yes", L"&No"}));
    PressButton(dialog, L"&No");
  }
  EXPECT_EQ(setup.WaitExit(), 0);
  ExpectInstalled(target, settings);
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language", "Default"), "0401");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language Groups", "d"), "1");
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, "Control Panel\\International", "Locale"), "00000429");
}

INSTANTIATE_TEST_SUITE_P(LocaleModes, InstallationInOwnPrefix, testing::Values("", "0", "1", "2", "1 "),
                         [](const testing::TestParamInfo<const char*>& info) {
                           const std::string mode = info.param;
                           return mode.empty() ? std::string("Empty") : mode == "1 " ? std::string("OneAndSpace")
                                                                                     : "Mode" + mode;
                         });

// On Windows NT 4.0 (set for setup.exe through Wine's per-program version) the second locale
// step does not run, so the machine shows what the first step did for each mode.
class FirstLocaleStepInOwnPrefix : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(FirstLocaleStepInOwnPrefix, WritesTheLanguageOfTheMode) {
  SetWineVersionFor("setup.exe", "nt40");
  MakeFolders(WindowsFolder() + "\\System");  // the system folder of that version
  const std::string before = RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language", "Default");
  ASSERT_NE(before, "0401");  // otherwise an untouched value would not show
  ASSERT_NE(before, "0429");
  MediumSettings settings;
  settings.localeMode = GetParam().first;
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings);
  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  ClickControl(window, kNext1);
  HWND dialog = WaitDialog(setup, 60000);
  ASSERT_TRUE(dialog);
  const bool picture = settings.localeMode == "0";
  ASSERT_EQ(DialogMessage(dialog), Wide1256(picture ? texts::kInstalledSuccessfully : RestartQuestionText()));
  PressButton(dialog, picture ? L"OK" : L"&No");
  EXPECT_EQ(setup.WaitExit(), 0);
  const std::string expected = *GetParam().second ? GetParam().second : before;
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language", "Default"), expected);
}

INSTANTIATE_TEST_SUITE_P(LocaleModes, FirstLocaleStepInOwnPrefix,
                         testing::Values(std::make_pair("", "0401"), std::make_pair("1", "0429"),
                                         std::make_pair("0", ""), std::make_pair("2", ""),
                                         std::make_pair("1 ", "")),
                         [](const testing::TestParamInfo<std::pair<const char*, const char*>>& info) {
                           return "Case" + std::to_string(info.index);
                         });
