// The names both programs compute: shortcut file, group folder, uninstall key.
#include "core/names.h"

#include <gtest/gtest.h>

TEST(Names, LinkFileNameIsThePartAfterTheLastBackslashOrColon) {
  struct Case {
    const char* shortcutName;
    const char* expected;
  } cases[] = {
      {"Product", "Product.lnk"},
      {"Tools\\Viewer", "Viewer.lnk"},
      {"C:Viewer", "Viewer.lnk"},
      {"C:\\Tools\\Sub\\My Viewer", "My Viewer.lnk"},
      {"a:b\\c", "c.lnk"},
      {"Tools\\", ".lnk"},
      {"", ".lnk"},
      {"\xC8\xD1\xE4\xC7\xE3\xE5", "\xC8\xD1\xE4\xC7\xE3\xE5.lnk"},  // Persian, code page 1256
      {"Product.v2", "Product.v2.lnk"},
  };
  for (const Case& c : cases) EXPECT_EQ(LinkFileName(c.shortcutName), c.expected) << c.shortcutName;
}

TEST(Names, GroupFolderAndUninstallKey) {
  EXPECT_EQ(GroupFolder("C:\\Start Menu", "Selvara"), "C:\\Start Menu\\programs\\Selvara\\");
  EXPECT_EQ(GroupFolder("", "Selvara"), "\\programs\\Selvara\\");
  EXPECT_EQ(UninstallKey("Viewer"),
            "Software\\Microsoft\\windows\\CurrentVersion\\uninstall\\Viewer");
}

// "/" separates folders as "\" does, so a shortcut name cannot climb out of the desktop or
// the group folder.
TEST(Names, LinkFileNameTakesSlashAsASeparator) {
  EXPECT_EQ(LinkFileName("../../../../ProgramData/Microsoft/Windows/Start Menu/Programs/Notepad"),
            "Notepad.lnk");
  EXPECT_EQ(LinkFileName("Tools/Viewer"), "Viewer.lnk");
  EXPECT_EQ(LinkFileName("a/b\\c/d"), "d.lnk");
}

// The names that could reach beyond the product's own entry, program file and shortcuts.
TEST(Names, ProgramAndShortcutNamesTheProgramsRefuse) {
  for (const std::string& name :
       {std::string("Daftar"), std::string("Daftar 2.0"), std::string("\xCF\xDD\xCA\xD1"),
        std::string("Acme-Tools_(x86)"), std::string("...a")})
    EXPECT_TRUE(IsValidProgramName(name)) << name;
  for (const std::string& name :
       {std::string(""), std::string("\\"), std::string("\\\\"), std::string("Tools\\Daftar"),
        std::string("a/b"), std::string("C:x"), std::string("a*"), std::string("a?"),
        std::string("a\"b"), std::string("a<b"), std::string("a>b"), std::string("a|b"),
        std::string("."), std::string(".."), std::string("\0", 1), std::string("Daftar\0x", 8),
        std::string("Daf\ttar"), std::string("\x1F")})
    EXPECT_FALSE(IsValidProgramName(name)) << testing::PrintToString(name);

  for (const char* name : {"Daftar", "", "Tools\\Viewer", "a..b", "...", "..x\\y..", "C:Viewer"})
    EXPECT_TRUE(IsValidShortcutName(name)) << name;
  for (const char* name : {"..", "..\\x", "../x", "a/../b", "a\\..", "C:..\\x",
                           "../../../../ProgramData/Microsoft/Windows/Start Menu/Programs/x"})
    EXPECT_FALSE(IsValidShortcutName(name)) << name;
}

// A tree delete may take a product's entry, never the list of all of them or a key above it,
// however the key is spelled.
TEST(Names, UninstallKeyOrAboveWhateverTheSpelling) {
  const std::string list = "Software\\Microsoft\\windows\\CurrentVersion\\uninstall";
  for (const std::string& key :
       {list, list + "\\", list + "\\\\\\", UninstallKey(""), UninstallKey("\\"),
        UninstallKey(std::string("\0Other", 6)), list + std::string("\0\\Daftar", 8),
        std::string("SOFTWARE\\MICROSOFT\\Windows\\currentversion\\Uninstall"),
        std::string("\\Software\\\\Microsoft\\windows\\CurrentVersion\\uninstall\\"),
        std::string("Software\\Microsoft\\windows\\CurrentVersion"), std::string("Software"),
        std::string(""), std::string("\\"), std::string("\0", 1)})
    EXPECT_TRUE(IsUninstallKeyOrAbove(key)) << testing::PrintToString(key);
  for (const std::string& key :
       {UninstallKey("Daftar"), UninstallKey("Daftar\\"), UninstallKey("a\\b"),
        std::string("Software\\EngineTests.Registry"), std::string("Software\\Microsoft\\Other"),
        list + "x"})
    EXPECT_FALSE(IsUninstallKeyOrAbove(key)) << testing::PrintToString(key);
}
