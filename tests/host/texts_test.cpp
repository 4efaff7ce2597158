// The texts must reach the programs as code page 1256 bytes, whatever the source encoding.
#include "core/texts.h"

#include <gtest/gtest.h>

#include <string>

static std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

TEST(Texts, TitlesAreCodePage1256Bytes) {
  EXPECT_EQ(Hex(texts::kSetupTitle), "C8 D1 E4 C7 E3 E5 20 E4 D5 C8");
  EXPECT_EQ(Hex(texts::kSetupWindowTitle), "E4 D5 C8 20 C8 D1 E4 C7 E3 E5");
  EXPECT_EQ(Hex(texts::kUninstallTitle), "CD D0 DD 20 C8 D1 E4 C7 E3 E5");
}
