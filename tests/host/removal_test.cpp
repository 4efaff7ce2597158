// The uninstaller's portable rules: the install folder from the uninstall entry, its own file,
// the folders it refuses to empty, and the removal script's exact text.
#include "core/removal.h"

#include <gtest/gtest.h>

TEST(InstallFolderFromUninstallString, DropsExactlyTheLast14Characters) {
  EXPECT_EQ(InstallFolderFromUninstallString("C:\\Product\\Uninstall.exe"), "C:\\Product");
  EXPECT_EQ(InstallFolderFromUninstallString("C:\\Program Files\\Acme Tools\\Uninstall.exe"),
            "C:\\Program Files\\Acme Tools");
  // Same length, another ending: still the last 14 characters go, unchecked.
  EXPECT_EQ(InstallFolderFromUninstallString("C:\\Product\\Something.txt"), "C:\\Product");
  EXPECT_EQ(InstallFolderFromUninstallString("C\\Uninstall.exe"), "C");
  EXPECT_EQ(InstallFolderFromUninstallString("\\Uninstall.exe"), std::nullopt);
  EXPECT_EQ(InstallFolderFromUninstallString("Uninstall.exe"), std::nullopt);
  EXPECT_EQ(InstallFolderFromUninstallString(""), std::nullopt);
}

TEST(IsUninstallerFileName, UpperCasesOnlyAtoZ) {
  for (const char* name : {"Uninstall.exe", "UNINSTALL.EXE", "uninstall.exe", "uNiNsTaLl.ExE"})
    EXPECT_TRUE(IsUninstallerFileName(name)) << name;
  // "\xC9" (a Latin capital in code page 1252) is compared unchanged.
  for (const char* name : {"Uninstall.exe.bak", "Uninstall.bak", "Uninstall.ex", "Uninstall.exe ",
                           "xUninstall.exe", "Un\xC9nstall.exe", ""})
    EXPECT_FALSE(IsUninstallerFileName(name)) << name;
}

TEST(IsProtectedFolder, RefusesRootsProtectedFoldersAndEverythingAboveThem) {
  const std::vector<std::string> kept = {
      "C:\\windows",
      "C:\\windows\\system32",
      "C:\\Program Files",
      "C:\\users\\Ali",
      "C:\\users\\Ali\\Desktop",
      "C:\\users\\Ali\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
      "",  // a shell folder that is not set guards nothing
  };
  struct Case {
    const char* folder;
    bool refused;
  } cases[] = {
      {"C:\\", true},
      {"C:", true},
      {"d:\\", true},
      {"D:/", true},
      {"\\", true},
      {"\\\\server\\share", true},
      {"\\\\server\\share\\", true},
      {"\\\\server", true},
      {"C:\\Windows", true},
      {"c:\\WINDOWS\\", true},
      {"C:\\windows\\System32", true},
      {"C:\\Program Files", true},
      {"C:\\PROGRAM FILES\\\\", true},
      {"C:\\users", true},
      {"C:\\Users\\ali", true},
      {"C:\\users\\Ali\\Desktop", true},
      {"C:\\users\\Ali\\AppData", true},
      {"C:\\users\\Ali\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu", true},
      // Below a protected folder, or beside it with a common beginning: the product's own.
      {"C:\\Program Files\\Acme Tools", false},
      {"C:\\Program Files (x86)", false},
      {"C:\\windows2", false},
      {"C:\\win", false},
      {"C:\\users\\Ali\\Desktop\\Viewer", false},
      {"C:\\users\\Alireza", false},
      {"C:\\Product", false},
      {"D:\\Product", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsProtectedFolder(c.folder, kept), c.refused) << c.folder;
}

// The protected trees: the folder itself, every folder below it and every folder above it.
// The spellings Windows takes for the same folder (trailing dots and blanks) change nothing.
TEST(IsProtectedFolder, ProtectsEverythingBelowATreeAndIgnoresTrailingDots) {
  const std::vector<std::string> kept = {"C:\\users\\Ali"};
  const std::vector<std::string> trees = {"C:\\windows"};
  for (const std::string& folder :
       {std::string("C:\\windows\\system32\\drivers"), std::string("C:\\windows\\Temp"),
        std::string("c:\\WINDOWS\\temp\\Product"), std::string("C:\\windows."),
        std::string("C:\\windows. .\\Temp"), std::string("C:\\users\\Ali..."),
        std::string("C:\\users \\Ali"), std::string("C:\\windows\\.\\x"),
        std::string("C:\\x\\..\\windows"), std::string("C:\\Product\0\\x", 13),
        std::string("C:\\Pro\tduct"), std::string("C:Product"), std::string("1:\\Product"),
        std::string("Product"), std::string("C:\\")})
    EXPECT_TRUE(IsProtectedFolder(folder, kept, trees)) << testing::PrintToString(folder);
  for (const char* folder : {"C:\\windows2", "C:\\windows2\\Temp", "C:\\users\\Ali\\Product",
                             "C:\\Product.", "d:/Product/Sub"})
    EXPECT_FALSE(IsProtectedFolder(folder, kept, trees)) << folder;
}

TEST(SameFolder, ComparesAsTheProtectionDoes) {
  EXPECT_TRUE(SameFolder("C:\\Product\\", "c:/PRODUCT"));
  EXPECT_TRUE(SameFolder("C:\\Product.", "C:\\Product"));
  EXPECT_FALSE(SameFolder("C:\\Product", "C:\\Product\\Sub"));
  EXPECT_FALSE(SameFolder("C:\\Product", "D:\\Product"));
}

TEST(NamesUninstaller, OnlyAValueEndingWithUninstallExe) {
  for (const char* value :
       {"C:\\Product\\Uninstall.exe", "C:\\Product\\UNINSTALL.EXE", "\\uninstall.exe"})
    EXPECT_TRUE(NamesUninstaller(value)) << value;
  for (const char* value :
       {"C:\\RtVictim\\bin\\setup.exe", "C:\\Product\\Something.txt", "C:\\ProductUninstall.exe",
        "C:\\Product\\Uninstall.exe ", "Uninstall.exe", ""})
    EXPECT_FALSE(NamesUninstaller(value)) << value;
}

TEST(ReplaceExtension, ReplacesFromTheLastDot) {
  EXPECT_EQ(ReplaceExtension("C:\\TEMP\\uis1A2B.tmp", ".bat"), "C:\\TEMP\\uis1A2B.bat");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\uis1.tmp", ".bat"), "C:\\a.b\\uis1.bat");
}

static std::vector<std::string> Lines(const std::string& script) {
  std::vector<std::string> lines;
  std::string::size_type start = 0, end;
  while ((end = script.find("\r\n", start)) != std::string::npos) {
    lines.push_back(script.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, script.size()) << "text after the last CR LF";
  return lines;
}

TEST(RemovalScript, ExactTextForPathsWithoutBlanks) {
  const std::string x60(60, 'x');
  EXPECT_EQ(RemovalScript("C:\\Product\\uninstall.exe", "C:\\TEMP\\uis1A2B.bat"),
            "@echo off\r\n"
            "set UisTries=\r\n"
            ":Label1\r\n"
            "del \"C:\\Product\\uninstall.exe\"\r\n"
            "if not Exist \"C:\\Product\\uninstall.exe\" goto Label2\r\n"
            "set UisTries=%UisTries%x\r\n"
            "if \"%UisTries%\"==\"" +
                x60 +
                "\" goto Label2\r\n"
                "ping -n 2 127.0.0.1 >nul\r\n"
                "goto Label1\r\n"
                ":Label2\r\n"
                "cd..\r\n"
                "rmdir \"C:\\Product\\\"\r\n"
                "del \"C:\\TEMP\\uis1A2B.bat\"\r\n");
  EXPECT_EQ(RemovalScriptCommand("C:\\TEMP\\uis1A2B.bat"), "\"C:\\TEMP\\uis1A2B.bat\"");
}

TEST(RemovalScript, QuotesEveryPathWithBlanksAndKeepsPercentSigns) {
  const std::vector<std::string> lines =
      Lines(RemovalScript("C:\\Program Files\\Acme Tools\\uninstall.exe",
                          "C:\\Documents and Settings\\Ali Reza\\Temp\\uis7.bat"));
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[3], "del \"C:\\Program Files\\Acme Tools\\uninstall.exe\"");
  EXPECT_EQ(lines[4], "if not Exist \"C:\\Program Files\\Acme Tools\\uninstall.exe\" goto Label2");
  EXPECT_EQ(lines[11], "rmdir \"C:\\Program Files\\Acme Tools\\\"");
  EXPECT_EQ(lines[12], "del \"C:\\Documents and Settings\\Ali Reza\\Temp\\uis7.bat\"");
  EXPECT_EQ(RemovalScriptCommand("C:\\Documents and Settings\\Ali Reza\\Temp\\uis7.bat"),
            "\"C:\\Documents and Settings\\Ali Reza\\Temp\\uis7.bat\"");

  // A "%" in a path would start a variable name in a batch line: it is doubled there.
  const std::vector<std::string> percent =
      Lines(RemovalScript("C:\\100%\\uninstall.exe", "C:\\T%MP%\\uis7.bat"));
  ASSERT_EQ(percent.size(), 13u);
  EXPECT_EQ(percent[3], "del \"C:\\100%%\\uninstall.exe\"");
  EXPECT_EQ(percent[11], "rmdir \"C:\\100%%\\\"");
  EXPECT_EQ(percent[12], "del \"C:\\T%%MP%%\\uis7.bat\"");
}

// Other spellings of a protected folder, and forms that name no plain folder of a drive: a
// device path, a long-path prefix, a share of this machine, a stream of the folder.
TEST(IsProtectedFolder, RefusesDeviceUncAndStreamForms) {
  const std::vector<std::string> kept = {"C:\\windows"};
  for (const char* folder :
       {"\\\\?\\C:\\windows", "\\\\.\\C:\\windows", "\\\\?\\C:\\Product", "\\\\.\\C:\\Product",
        "\\\\localhost\\C$\\windows", "\\\\localhost\\C$\\Product", "\\\\server\\share\\Product",
        "//?/C:/Product", "C:\\windows::$INDEX_ALLOCATION", "C:\\Product::$INDEX_ALLOCATION",
        "C:\\Product:x", "C:\\Product\\a:b"})
    EXPECT_TRUE(IsProtectedFolder(folder, kept)) << folder;
}
