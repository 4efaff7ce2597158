// The text helpers against the installer's own cases, as one table.
#include "core/text_helpers.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
struct Case {
  const char* what;
  std::function<std::string()> call;
  std::string expected;
};
}  // namespace

TEST(TextHelpers, GiveTheDefinedResults) {
  const Case cases[] = {
      {"trim both ends", [] { return TrimSpaces("  a b  "); }, "a b"},
      {"trim keeps a leading tab", [] { return TrimLeadingSpaces("\t a"); }, "\t a"},
      {"trim leading only", [] { return TrimLeadingSpaces("  a "); }, "a "},
      {"trim trailing only", [] { return TrimTrailingSpaces(" a  "); }, " a"},
      {"trim only spaces", [] { return TrimSpaces("   "); }, ""},
      {"trim leading of only spaces", [] { return TrimLeadingSpaces("  "); }, ""},
      {"trim trailing of only spaces", [] { return TrimTrailingSpaces("  "); }, ""},
      {"trim empty", [] { return TrimSpaces(""); }, ""},
      {"left longer than text", [] { return LeftText("abc", 5); }, "abc"},
      {"left zero", [] { return LeftText("abc", 0); }, ""},
      {"left two", [] { return LeftText("abc", 2); }, "ab"},
      {"left of empty", [] { return LeftText("", 3); }, ""},
      {"right one", [] { return RightText("abc", 1); }, "c"},
      {"right all", [] { return RightText("abc", 3); }, "abc"},
      {"right more", [] { return RightText("abc", 200); }, "abc"},
      {"right zero", [] { return RightText("abc", 0); }, ""},
      {"mid inside", [] { return MidText("abcdef", 3, 2); }, "cd"},
      {"mid past the end", [] { return MidText("abcdef", 6, 5); }, "f"},
      {"mid beyond", [] { return MidText("abcdef", 7, 1); }, ""},
      {"mid zero count", [] { return MidText("abcdef", 3, 0); }, ""},
      {"mid position zero", [] { return MidText("abcdef", 0, 2); }, ""},
      {"mid to the end exactly", [] { return MidText("abcdef", 3, 4); }, "cdef"},
      {"splice replaces", [] { return SpliceText("abcdef", 3, 2, "XY"); }, "abXYef"},
      {"splice inserts first", [] { return SpliceText("abc", 1, 0, "X"); }, "Xabc"},
      {"splice appends beyond", [] { return SpliceText("abc", 10, 0, "X"); }, "abcX"},
      {"splice deletes what exists", [] { return SpliceText("abc", 2, 10, "X"); }, "aX"},
      {"splice all", [] { return SpliceText("abc", 1, 3, "X"); }, "X"},
      {"splice position zero", [] { return SpliceText("abc", 0, 2, "X"); }, ""},
      {"splice empty text", [] { return SpliceText("", 1, 0, "X"); }, ""},
      {"splice appends after last", [] { return SpliceText("abc", 4, 0, "X"); }, "abcX"},
      {"splice deletes beyond nothing", [] { return SpliceText("abc", 4, 2, ""); }, "abc"},
      {"splice strips a folder name", [] { return SpliceText("C:\\Accounts", 4, 8, ""); }, "C:\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.call(), c.expected) << c.what;
}

// Texts longer than 255 characters keep the same rules in wider arithmetic.
TEST(TextHelpers, LongTextsUseWideArithmetic) {
  std::string path = std::string(300, 'x') + "\\Accounts";
  EXPECT_EQ(SpliceText(path, path.size() - 8 + 1, 8, ""), std::string(300, 'x') + "\\");
  EXPECT_EQ(RightText(path, 1), "s");
  EXPECT_EQ(MidText(path, 301, 100), "\\Accounts");
}
