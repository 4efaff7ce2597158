// INSTALL.CFG: the bytes the installer writes and the line rules the uninstaller reads by.
#include "core/lines.h"
#include "core/record.h"

#include <gtest/gtest.h>

static ProductRecord Sample() {
  return {"\xC8\xD1\xE4\xC7\xE3\xE5", "Title two", "Product", "Viewer", "Tools\\Viewer", ""};
}

static bool operator==(const ProductRecord& a, const ProductRecord& b) {
  return a.Title1 == b.Title1 && a.Title2 == b.Title2 &&
         a.DefaultFolderName == b.DefaultFolderName && a.ProgramName == b.ProgramName &&
         a.ShortcutName == b.ShortcutName && a.Organization == b.Organization;
}

TEST(Record, BytesAreSixLinesEachEndedByCrLf) {
  EXPECT_EQ(FormatProductRecord(Sample()),
            "\xC8\xD1\xE4\xC7\xE3\xE5\r\nTitle two\r\nProduct\r\nViewer\r\nTools\\Viewer\r\n\r\n");
  EXPECT_EQ(FormatProductRecord({}), "\r\n\r\n\r\n\r\n\r\n\r\n");
  EXPECT_TRUE(ParseProductRecord(FormatProductRecord(Sample())) == Sample());
}

TEST(Record, ReaderLineRules) {
  const std::string longLine(300, 'x');
  struct Case {
    const char* what;
    std::string bytes;
    ProductRecord expected;
  } cases[] = {
      {"LF line ends", "a\nb\nc\nd\ne\nf\n", {"a", "b", "c", "d", "e", "f"}},
      {"no end after the last line", "a\r\nb\r\nc\r\nd\r\ne\r\nf", {"a", "b", "c", "d", "e", "f"}},
      {"lone CR dropped", "a\rx\r\nb\r\r\nc\r\nd\r\ne\r\nf\r", {"ax", "b", "c", "d", "e", "f"}},
      {"four lines", "a\r\nb\r\nc\r\nd\r\n", {"a", "b", "c", "d", "", ""}},
      {"eight lines", "a\nb\nc\nd\ne\nf\ng\nh\n", {"a", "b", "c", "d", "e", "f"}},
      {"Ctrl+Z ends the file", "a\r\nb\r\nc\x1A\r\nd\r\ne\r\nf\r\n", {"a", "b", "c", "", "", ""}},
      {"empty lines", "\r\n\nc\r\n", {"", "", "c", "", "", ""}},
      {"empty file", "", {}},
      {"long first line", longLine + "\r\nb\r\n", {longLine, "b", "", "", "", ""}},
      {"bytes kept",
       std::string("\xED\xDF\0z\r\n", 5),
       {std::string("\xED\xDF\0z", 4), "", "", "", "", ""}},
  };
  for (const Case& c : cases) EXPECT_TRUE(ParseProductRecord(c.bytes) == c.expected) << c.what;
}

// Every line ForEachLine hands over, in order.
static std::vector<std::string> AllLines(const std::string& text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](const std::string& line) {
    lines.push_back(line);
    return true;
  });
  EXPECT_EQ(CountLines(text), lines.size()) << text;
  return lines;
}

TEST(Lines, ALastLineWithoutEndCounts) {
  EXPECT_EQ(AllLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(AllLines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(AllLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(AllLines("\r"), (std::vector<std::string>{""}));
  EXPECT_TRUE(AllLines("").empty());
  EXPECT_EQ(FirstLines("a", 3), (std::vector<std::string>{"a", "", ""}));
}
