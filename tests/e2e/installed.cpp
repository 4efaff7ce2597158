#include "tests/e2e/installed.h"

#include "core/names.h"
#include "tests/support/driver.h"
#include "tests/support/setup_driver.h"

#include <gtest/gtest.h>

namespace e2e {

const char kUninstallKey[] = "Software\\Microsoft\\windows\\CurrentVersion\\uninstall\\Daftar";

void ExpectInstalled(const std::string& installFolder, const MediumSettings& settings) {
  for (const PayloadFile& file : SamplePayload(settings)) {
    if (file.path == settings.programName + ".dat" || file.path == "uninstall.dat") continue;
    std::string bytes;
    EXPECT_TRUE(ReadFile(installFolder + "\\" + file.path, &bytes)) << file.path;
    EXPECT_EQ(bytes, file.content) << file.path;
  }
  EXPECT_EQ(ReadAll(installFolder + "\\" + settings.programName + ".EXE"),
            ReadAll(ProgramPath("sample_product.exe")));
  EXPECT_EQ(ReadAll(installFolder + "\\Uninstall.EXE"), ReadAll(ProgramPath("uninstall.exe")));
  EXPECT_FALSE(IsFile(installFolder + "\\" + settings.programName + ".dat"));
  EXPECT_FALSE(IsFile(installFolder + "\\uninstall.dat"));
  EXPECT_EQ(ReadAll(installFolder + "\\INSTALL.CFG"),
            settings.title1 + "\r\n" + settings.title2 + "\r\n" + settings.defaultFolderName +
                "\r\n" + settings.programName + "\r\n" + settings.shortcutName + "\r\n" +
                settings.organization + "\r\n");

  const std::string link = LinkFileName(settings.shortcutName);
  EXPECT_TRUE(IsFile(ShellFolder("Desktop") + "\\" + link));
  EXPECT_TRUE(IsFile(ShellFolder("Start Menu") + "\\programs\\Selvara\\" + link));

  const ProgramsPlaces places = PlacesOfPrograms();
  const std::string key = UninstallKey(settings.programName);
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "UninstallString", places.view),
            installFolder + "\\Uninstall.exe");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "DisplayName", places.view),
            settings.programName);
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "Publisher", places.view),
            "Selvara Organization");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "Author", places.view), "Tovenar");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "DisplayName", places.otherView), "");

  const char kServerKey[] = "Software\\Sample Accounts\\Server";
  EXPECT_EQ(ReadAll(places.systemFolder + "\\SampleServer.dll"),
            ReadAll(ProgramPath("SampleServer.dll")));
  EXPECT_FALSE(IsFile(places.otherSystemFolder + "\\SampleServer.dll"));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kServerKey, "Registered", places.view), "yes");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kServerKey, "Registered", places.otherView), "");

  // The fonts key is one key in both views (shared), read by Windows in its 64-bit view.
  const std::string windows = WindowsFolder();
  const char kFontsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  for (const auto& font : {std::make_pair("nazli.ttf", "Nazli (TrueType)"),
                           std::make_pair("titr.ttf", "Titr Bold (TrueType)")}) {
    EXPECT_TRUE(IsFile(windows + "\\Fonts\\" + font.first)) << font.first;
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kFontsKey, font.second, KEY_WOW64_64KEY),
              font.first);
  }

  // The second locale step runs on this Windows (version 6.1), so the machine-wide language
  // ends as LocaleMode 0 sets it whatever the mode.
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language",
                         "Default"),
            "0401");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE,
                         "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language Groups", "d"),
            "1");
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, "Control Panel\\International", "Locale"), "00000429");
}

}  // namespace e2e
