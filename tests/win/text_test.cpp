// Persian texts stored as code page 1256 bytes become the right Unicode letters whatever
// the ANSI code page of the Windows they run on.
#include "core/texts.h"
#include "win/text.h"

#include <gtest/gtest.h>

TEST(Text, PersianBytesConvertWithCodePage1256) {
  EXPECT_EQ(ToWide(texts::kUninstallTitle, kArabicCodePage),
            L"\u062D\u0630\u0641 \u0628\u0631\u0646\u0627\u0645\u0647");
  // The Arabic-form yeh and kaf (bytes ED, DF) stay those letters.
  EXPECT_EQ(ToWide("\xED\xDF", kArabicCodePage), L"\u064A\u0643");
  EXPECT_EQ(ToWide("", kArabicCodePage), L"");
}
