// The folder chooser's figures, label text and proposed target, and the gauge scaling.
#include "core/chooser.h"
#include "core/gauge.h"

#include <gtest/gtest.h>

TEST(GroupThousands, CommasBetweenGroupsOfThreeFromTheRight) {
  const struct {
    const char* digits;
    const char* grouped;
  } cases[] = {
      {"", ""},
      {"7", "7"},
      {"123", "123"},
      {"1234", "1,234"},
      {"123456", "123,456"},
      {"1234567", "1,234,567"},
      {"40000000", "40,000,000"},
      {"18446744073709551615", "18,446,744,073,709,551,615"},
  };
  for (const auto& c : cases) EXPECT_EQ(GroupThousands(c.digits), c.grouped) << c.digits;
}

TEST(DriveSpaceInKB, TruncatesToWholeKilobytesAndShowsZeroForAFailedQuery) {
  const DriveSpace forty = DriveSpaceInKB(true, 40000000000ull, 1023);
  EXPECT_EQ(forty.sizeKB, 39062500u);
  EXPECT_EQ(forty.freeKB, 0u);
  const DriveSpace big = DriveSpaceInKB(true, 3ull << 41, 1ull << 41);  // 6 TiB, 2 TiB free
  EXPECT_EQ(big.sizeKB, 3ull << 31);
  EXPECT_EQ(big.freeKB, 1ull << 31);
  const DriveSpace failed = DriveSpaceInKB(false, 12345678, 1234);
  EXPECT_EQ(failed.sizeKB, 0u);
  EXPECT_EQ(failed.freeKB, 0u);
}

TEST(ScaleForGauge, KeepsTheShareOfValuesBeyondThirtyTwoBits) {
  const struct {
    uint64_t value, maximum;
    int32_t scaledValue, scaledMaximum;
  } cases[] = {
      {0, 0, 0, 0},
      {50, 100, 50, 100},
      {150, 100, 100, 100},                    // past the end shows full
      {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
      {3ull << 30, 1ull << 32, 3 << 28, 1 << 30},  // 3/4 of a 4 GiB payload
      {1ull << 40, 3ull << 40, 1 << 29, 3 << 29},  // used third of a 3 TiB drive, in bytes
  };
  for (const auto& c : cases) {
    const GaugeRange range = ScaleForGauge(c.value, c.maximum);
    EXPECT_EQ(range.value, c.scaledValue) << c.value << " of " << c.maximum;
    EXPECT_EQ(range.maximum, c.scaledMaximum) << c.value << " of " << c.maximum;
  }
}

// Every character is 10 px wide: the label of 217 px takes 21 characters.
static int TenPixelsEach(const std::string& text) { return static_cast<int>(text.size()) * 10; }

TEST(ShortenPathToFit, CutsFoldersFromTheLeftAndKeepsTheLastOne) {
  const struct {
    const char* path;
    const char* shown;
  } cases[] = {
      {"C:\\", "C:\\"},
      {"C:\\Programs\\Accounts", "C:\\Programs\\Accounts"},         // 20 characters fit
      {"C:\\Programs\\Accounts2024", "C:\\...\\Accounts2024"},
      {"D:\\Data\\Old\\Programs\\Accounts", "D:\\...\\Accounts"},
      {"D:\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k", "D:\\...\\e\\f\\g\\h\\i\\j\\k"},
      {"C:\\Programs\\Accounting Department", "...\\Accounting Department"},
      {"C:\\Programs\\A folder name much too long to fit", "...\\A folder name much too long to fit"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortenPathToFit(c.path, 217, TenPixelsEach), c.shown) << c.path;
}

TEST(TargetInFolder, OneBackslashBetweenFolderAndName) {
  EXPECT_EQ(TargetInFolder("C:\\", "Accounts"), "C:\\Accounts");
  EXPECT_EQ(TargetInFolder("D:\\Tools", "Accounts"), "D:\\Tools\\Accounts");
  EXPECT_EQ(TargetInFolder("D:\\Tools", ""), "D:\\Tools\\");
  EXPECT_EQ(TargetInFolder("D:\\Tools", "Accounts "), "D:\\Tools\\Accounts ");
}
