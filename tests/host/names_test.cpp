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
