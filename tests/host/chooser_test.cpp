// The folder chooser's figures, folder list, label text and proposed target.
#include "core/chooser.h"

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

// Every character is 10 px wide: the label of 217 px takes 21 characters.
static int TenPixelsEach(const std::string& text) { return static_cast<int>(text.size()) * 10; }

TEST(ShortenPathToFit, CutsFoldersFromTheLeftAndKeepsTheLastOne) {
  const struct {
    const char* path;
    const char* shown;
  } cases[] = {
      {"C:\\", "C:\\"},
      {"C:\\Programs\\Accounts", "C:\\Programs\\Accounts"},  // 20 characters fit
      {"C:\\Programs\\Accounts2024", "C:\\...\\Accounts2024"},
      {"D:\\Data\\Old\\Programs\\Accounts", "D:\\...\\Accounts"},
      {"D:\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k", "D:\\...\\e\\f\\g\\h\\i\\j\\k"},
      {"C:\\Programs\\Accounting Department", "...\\Accounting Department"},
      {"C:\\Programs\\A folder name much too long to fit",
       "...\\A folder name much too long to fit"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShortenPathToFit(c.path, 217, TenPixelsEach), c.shown) << c.path;
}

TEST(TargetInFolder, OneBackslashBetweenFolderAndName) {
  EXPECT_EQ(TargetInFolder("C:\\", "Accounts"), "C:\\Accounts");
  EXPECT_EQ(TargetInFolder("D:\\Tools", "Accounts"), "D:\\Tools\\Accounts");
  EXPECT_EQ(TargetInFolder("D:\\Tools", ""), "D:\\Tools\\");
  EXPECT_EQ(TargetInFolder("D:\\Tools", "Accounts "), "D:\\Tools\\Accounts ");
}

TEST(FolderListItems, RootDownToTheSelectedFolderThenItsSubfoldersInNameOrder) {
  const auto items = FolderListItems("D:\\Programs\\Tools", {"zeta", "Alpha", "beta"});
  const struct {
    const char* name;
    const char* path;
    int level;
    bool open;
  } expected[] = {
      {"D:\\", "D:\\", 0, true},
      {"Programs", "D:\\Programs", 1, true},
      {"Tools", "D:\\Programs\\Tools", 2, true},
      {"Alpha", "D:\\Programs\\Tools\\Alpha", 3, false},
      {"beta", "D:\\Programs\\Tools\\beta", 3, false},
      {"zeta", "D:\\Programs\\Tools\\zeta", 3, false},
  };
  ASSERT_EQ(items.size(), std::size(expected));
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].name, expected[i].name) << i;
    EXPECT_EQ(items[i].path, expected[i].path) << i;
    EXPECT_EQ(items[i].level, expected[i].level) << i;
    EXPECT_EQ(items[i].open, expected[i].open) << i;
  }
  EXPECT_EQ(SelectedFolderIndex(items), 2u);

  const auto root = FolderListItems("C:\\", {"Windows"});
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(root[1].path, "C:\\Windows");
  EXPECT_EQ(root[1].level, 1);
  EXPECT_EQ(SelectedFolderIndex(root), 0u);
}

TEST(ParentOfTarget, TheTargetWithoutTheProductFolderName) {
  const struct {
    const char* target;
    const char* name;
    const char* parent;
  } cases[] = {
      {"C:\\Accounts", "Accounts", "C:\\"},
      {"D:\\Programs\\Accounts", "Accounts", "D:\\Programs\\"},
      {"C:\\", "", "C:\\"},  // no product folder: the target itself
      {"D:\\Tools\\", "", "D:\\Tools\\"},
      {"", "Accounts", ""},
      {"", "", ""},
      {"C:\\Acc", "Accounts", "C:\\Acc"},  // shorter than the name: nothing to cut
  };
  for (const auto& c : cases) EXPECT_EQ(ParentOfTarget(c.target, c.name), c.parent) << c.target;
  // Longer than 255 characters: still exactly the parent.
  const std::string deep = "C:\\" + std::string(300, 'x') + "\\";
  EXPECT_EQ(ParentOfTarget(deep + "Accounts", "Accounts"), deep);
}
