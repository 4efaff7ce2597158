// Persian texts stored as code page 1256 bytes become the right Unicode letters whatever
// the ANSI code page of the Windows they run on.
#include "core/texts.h"
#include "win/text.h"

#include <gtest/gtest.h>

TEST(Text, PersianBytesConvertWithCodePage1256) {
  EXPECT_EQ(ToWide(texts::kUninstallTitle),
            L"\u062D\u0630\u0641 \u0628\u0631\u0646\u0627\u0645\u0647");
  // The Arabic-form yeh and kaf (bytes ED, DF) stay those letters.
  EXPECT_EQ(ToWide("\xED\xDF"), L"\u064A\u0643");
  EXPECT_EQ(ToWide(""), L"");
}

// Back from the system's wide texts: what code page 1256 spells comes back byte for byte,
// never as a look-alike letter; anything else travels escaped and comes back as itself.
TEST(Text, WideTextsRoundTripThroughCodePage1256) {
  const struct {
    std::wstring wide;
    std::string bytes;
  } cases[] = {
      {L"C:\\\u062F\u0641\u062A\u0631 \u06AF\u0632\u0627\u0631\u0634",
       "C:\\\xCF\xDD\xCA\xD1 \x90\xD2\xC7\xD1\xD4"},
      {L"\u6570\u636E.txt",
       "\x01"
       "6570\x01"
       "636E.txt"},
      {L"\u0100b",
       "\x01"
       "0100b"},  // no best fit: A with macron does not become A
      {L"a\x01z",
       "a\x01"
       "0001z"},  // the escape's own character escaped too
      {L"", ""},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(FromWide(each.wide), each.bytes);
    EXPECT_EQ(ToWide(each.bytes), each.wide);
  }
  // An escape character without four hex digits after it is an ordinary character.
  EXPECT_EQ(ToWide("\x01"
                   "12"),
            L"\x01"
            L"12");
  EXPECT_EQ(ToWide("\x01"
                   "12G4"),
            L"\x01"
            L"12G4");
}
