// The decisions of the installation sequence: locale step, free space, final screen.
#include "core/installation_rules.h"
#include "core/texts.h"

#include <gtest/gtest.h>

TEST(FirstLocaleMode, OnlyEmptyAndExactlyOneCallTheLocaleStep) {
  const struct {
    const char* localeMode;
    std::optional<int> mode;
    FinalScreen screen;
  } cases[] = {
      {"", 0, FinalScreen::kRestartQuestion},
      {"1", 1, FinalScreen::kRestartQuestion},
      {"0", std::nullopt, FinalScreen::kSuccessPicture},
      {"2", std::nullopt, FinalScreen::kRestartQuestion},
      {"1 ", std::nullopt, FinalScreen::kRestartQuestion},
      {"0 ", std::nullopt, FinalScreen::kRestartQuestion},
      {" ", std::nullopt, FinalScreen::kRestartQuestion},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FirstLocaleMode(c.localeMode), c.mode) << '"' << c.localeMode << '"';
    EXPECT_EQ(FinalScreenFor(c.localeMode), c.screen) << '"' << c.localeMode << '"';
  }
}

TEST(HasRoomFor, EqualPassesOneByteShortOrAFailedQueryDoesNot) {
  const uint64_t fiveGiB = 5ull << 30;
  EXPECT_TRUE(HasRoomFor(fiveGiB, fiveGiB));
  EXPECT_FALSE(HasRoomFor(fiveGiB - 1, fiveGiB));
  EXPECT_TRUE(HasRoomFor(fiveGiB + 1, fiveGiB));
  EXPECT_TRUE(HasRoomFor(0, 0));
  EXPECT_TRUE(HasRoomFor(1, 0));  // one free byte is a real answer, not a failed query
  EXPECT_FALSE(HasRoomFor(std::nullopt, 0));
}

TEST(TargetDriveRoot, FirstCharacterOfThePath) {
  EXPECT_EQ(TargetDriveRoot("D:\\Programs\\Accounts"), "D:\\");
  EXPECT_EQ(TargetDriveRoot("\\\\server\\share"), "\\:\\");  // fails the query
  EXPECT_EQ(TargetDriveRoot(""), std::nullopt);
}

TEST(RestartQuestionText, ThreeLinesSeparatedByCrWithTheirLeadingSpaces) {
  const std::string text = RestartQuestionText();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  const size_t first = text.find('\r');
  const size_t second = text.find('\r', first + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(text.find('\r', second + 1), std::string::npos);
  EXPECT_EQ(text.substr(0, first), std::string(27, ' ') + texts::kInstalledSuccessfully);
  EXPECT_EQ(text.substr(first + 1, second - first - 1), texts::kRestartAdvice);
  EXPECT_EQ(text.substr(second + 1), std::string(20, ' ') + texts::kRestartQuestion);
  // The texts as code page 1256 bytes; both question lines end with a space.
  EXPECT_EQ(std::string(texts::kInstalledSuccessfully),
            "\xC8\xD1\xE4\xC7\xE3\xE5 \xC8\xC7 \xE3\xE6\xDD\xDE\xED\xCA \xE4\xD5\xC8 \xD4\xCF");
  EXPECT_EQ(text.substr(first - 1, 2), "\xCF\r");
  EXPECT_EQ(text.substr(second - 1, 2), " \r");
  EXPECT_EQ(text.back(), ' ');
  EXPECT_EQ(std::string(texts::kChooserTitle),
            "\xCA\xDA\xED\xED\xE4 \xE3\xD3\xED\xD1 \xE4\xD5\xC8 ");
}
