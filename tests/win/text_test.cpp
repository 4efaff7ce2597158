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

// Back from the system's wide texts: what code page 1256 spells comes back byte for byte;
// anything else is marked incomplete, never replaced by a look-alike letter.
TEST(Text, WideTextsBackToCodePage1256) {
  const struct {
    std::wstring wide;
    std::string bytes;
    bool complete;
  } cases[] = {
      {L"C:\\\u062F\u0641\u062A\u0631 \u06AF\u0632\u0627\u0631\u0634", "C:\\\xCF\xDD\xCA\xD1 \x90\xD2\xC7\xD1\xD4", true},
      {L"\u064A\u0643", "\xED\xDF", true},
      {L"\u6570\u636E.txt", "??.txt", false},
      {L"\u00E0\u0100", "\xE0?", false},  // no best fit: A with macron does not become A
      {L"", "", true},
  };
  for (const auto& each : cases) {
    bool complete = !each.complete;
    EXPECT_EQ(FromWide(each.wide, kArabicCodePage, &complete), each.bytes);
    EXPECT_EQ(complete, each.complete);
    if (each.complete) EXPECT_EQ(ToWide(each.bytes), each.wide);
  }
}
