// REG.CFG's lines: LF or CR LF ends a line, a lone CR is dropped, missing lines are empty,
// further lines are ignored, a byte 26 is data; and the settings read from them.
#include "core/lines.h"
#include "core/setup_config.h"

#include <gtest/gtest.h>

namespace {
using Lines = std::vector<std::string>;
}

TEST(Lines, LineEndsAndMissingLines) {
  const struct {
    const char* what;
    std::string bytes;
    Lines expected;
  } cases[] = {
      {"CR LF", "a\r\nb\r\nc\r\n", {"a", "b", "c"}},
      {"LF only", "a\nb\nc\n", {"a", "b", "c"}},
      {"no final line end", "a\r\nb\r\nc", {"a", "b", "c"}},
      {"mixed", "a\nb\r\nc", {"a", "b", "c"}},
      {"lone CR dropped", "a\rb\r\nc\r", {"ab", "c", ""}},
      {"CR CR LF", "a\r\r\nb", {"a", "b", ""}},
      {"fewer lines", "a\r\n", {"a", "", ""}},
      {"empty file", "", {"", "", ""}},
      {"empty lines kept", "\r\n\r\nc", {"", "", "c"}},
      {"spaces kept", " a \r\nb \r\n", {" a ", "b ", ""}},
      {"further lines ignored", "a\nb\nc\nd\ne\n", {"a", "b", "c"}},
      {"Ctrl+Z is data here",
       "a\x1A"
       "b\nc",
       {"a\x1A"
        "b",
        "c", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstLines(c.bytes, 3), c.expected) << c.what;
}

TEST(Lines, LongLinesAreReadWhole) {
  std::string longLine(100000, 'x');
  EXPECT_EQ(FirstLines(longLine + "\r\nb", 2), (Lines{longLine, "b"}));
}

TEST(SetupConfig, TenLinesInOrder) {
  SetupConfig config = ParseSetupConfig(
      "T1\r\nT2\r\nFILES\r\nAccounts \r\nacc\r\nAcc\r\nOrg\r\npic.jpg\r\nGroup\r\n1\r\nextra\r\n");
  EXPECT_EQ(config.Title1, "T1");
  EXPECT_EQ(config.Title2, "T2");
  EXPECT_EQ(config.SourceFolder, "FILES");
  EXPECT_EQ(config.DefaultFolderName, "Accounts ");
  EXPECT_EQ(config.ProgramName, "acc");
  EXPECT_EQ(config.ShortcutName, "Acc");
  EXPECT_EQ(config.Organization, "Org");
  EXPECT_EQ(config.BackgroundPicture, "pic.jpg");
  EXPECT_EQ(config.MenuGroup, "Group");
  EXPECT_EQ(config.LocaleMode, "1");
  SetupConfig five = ParseSetupConfig("a\nb\nc\nd\ne\n");
  EXPECT_EQ(five.ProgramName, "e");
  EXPECT_EQ(five.ShortcutName + five.Organization + five.BackgroundPicture + five.MenuGroup +
                five.LocaleMode,
            "");
}

TEST(SetupConfig, DefaultInstallPathOnTheWindowsDrive) {
  EXPECT_EQ(DefaultInstallPath("C:\\WINDOWS", "Accounts"), "C:\\Accounts");
  EXPECT_EQ(DefaultInstallPath("D:\\WINNT", "Accounts "), "D:\\Accounts ");
  EXPECT_EQ(DefaultInstallPath("C:\\WINDOWS", ""), "C:\\");
}
