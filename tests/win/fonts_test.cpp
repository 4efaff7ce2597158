// Fonts from the medium's Fonts folder: both registry font tables read back, and files
// copied into a stand-in fonts folder only when missing. The tables are the machine's own
// (HKLM), so every test runs in its own prefix.
#include "setup/system/system_files.h"

#include "tests/win/system_test_support.h"
#include "win/files.h"
#include "win/registry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace system_test;

namespace {
const char* const kTables[] = {
    "Software\\Microsoft\\windows\\CurrentVersion\\Fonts",
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
};

// Checks a value in both font tables; an empty `data` means the value must be absent.
void ExpectFontValue(const std::string& name, const std::string& data) {
  for (const char* table : kTables) {
    SCOPED_TRACE(std::string(table) + " / " + name);
    Registry registry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.Open(table));
    EXPECT_EQ(registry.ValueExists(name), !data.empty());
    EXPECT_EQ(registry.ReadString(name), data);
  }
}

// A medium whose Fonts folder holds these font files; returns them in listing order,
// which is the order FONT.TXT's pairs are matched in.
std::vector<std::string> MakeFonts(const Medium& medium, const std::vector<std::string>& names) {
  CreateDirectoryA((medium.root + "Fonts").c_str(), nullptr);
  for (const std::string& name : names)
    e2e::WriteFile(medium.root + "Fonts\\" + name, "font " + name);
  std::vector<std::string> listed;
  ListFolder(medium.root + "Fonts\\*.ttf", 63,
             [&](const ListedEntry& entry) { listed.push_back(entry.name); });
  return listed;
}
}  // namespace

TEST(FontsInOwnPrefix, WithoutListEachFontIsNamedAfterItsFile) {
  Medium medium = NewMedium("fonts-unlisted");
  MakeFonts(medium, {"alpha.ttf", "beta.ttf"});
  e2e::WriteFile(medium.root + "Fonts\\empty.ttf", "");
  CreateDirectoryA((medium.root + "Fonts\\sub.ttf").c_str(), nullptr);

  InstallFonts(medium.root, medium.target);

  ExpectFontValue("alpha.ttf", medium.target + "alpha.ttf");
  ExpectFontValue("beta.ttf", medium.target + "beta.ttf");
  ExpectFontValue("empty.ttf", "");
  ExpectFontValue("sub.ttf", "");
  ExpectFontValue("", "");
  EXPECT_EQ(e2e::ReadAll(medium.target + "alpha.ttf"), "font alpha.ttf");
  EXPECT_EQ(e2e::ReadAll(medium.target + "beta.ttf"), "font beta.ttf");
  EXPECT_FALSE(FileExists(medium.target + "empty.ttf"));
  EXPECT_FALSE(FolderExists(medium.target + "sub.ttf"));
}

TEST(FontsInOwnPrefix, PairsGoByListingPositionAndSurplusFilesByName) {
  Medium medium = NewMedium("fonts-pairs");
  // Two pairs whose file lines name the files in reverse order, and three files.
  auto listed = MakeFonts(medium, {"one.ttf", "two.ttf", "three.ttf"});
  ASSERT_EQ(listed.size(), 3u);
  e2e::WriteFile(medium.root + "Fonts\\FONT.TXT",
                 "two.ttf\r\nSecond Font\r\none.ttf\r\nFirst Font\r\n");

  InstallFonts(medium.root, medium.target);

  ExpectFontValue("Second Font", "two.ttf");
  ExpectFontValue("First Font", "one.ttf");
  // The files at positions 1 and 2 are named by the pairs, whatever their own names.
  ExpectFontValue(listed[0], "");
  ExpectFontValue(listed[1], "");
  ExpectFontValue(listed[2], medium.target + listed[2]);
  ExpectFontValue("", "");
  for (const std::string& name : listed)
    EXPECT_EQ(e2e::ReadAll(medium.target + name), "font " + name);
  EXPECT_FALSE(FileExists(medium.target + "FONT.TXT"));
}

TEST(FontsInOwnPrefix, EmptyListAndEmptyNameLineNeverUseTheUnnamedValue) {
  Medium empty = NewMedium("fonts-empty-list");
  MakeFonts(empty, {"gamma.ttf", "delta.ttf"});
  e2e::WriteFile(empty.root + "Fonts\\FONT.TXT", "");
  InstallFonts(empty.root, empty.target);
  ExpectFontValue("gamma.ttf", empty.target + "gamma.ttf");
  ExpectFontValue("delta.ttf", empty.target + "delta.ttf");
  ExpectFontValue("", "");

  Medium odd = NewMedium("fonts-odd-list");
  auto listed = MakeFonts(odd, {"eta.ttf", "theta.ttf"});
  e2e::WriteFile(odd.root + "Fonts\\FONT.TXT", "eta.ttf\r\nEta Font\r\ntheta.ttf\r\n");
  InstallFonts(odd.root, odd.target);
  ExpectFontValue("Eta Font", "eta.ttf");
  ExpectFontValue(listed[1], odd.target + listed[1]);
  ExpectFontValue("", "");
}

TEST(FontsInOwnPrefix, FontAlreadyPresentIsKeptButRegisteredAgain) {
  Medium medium = NewMedium("fonts-present");
  MakeFonts(medium, {"kappa.ttf"});
  e2e::WriteFile(medium.target + "kappa.ttf", "installed before");
  for (const char* table : kTables) {
    Registry registry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenOrCreate(table));
    registry.WriteString("kappa.ttf", "stale");
  }

  InstallFonts(medium.root, medium.target);

  EXPECT_EQ(e2e::ReadAll(medium.target + "kappa.ttf"), "installed before");
  ExpectFontValue("kappa.ttf", medium.target + "kappa.ttf");
}

TEST(FontsInOwnPrefix, RunningInstallationUsesTheWindowsFontsFolderAndCurrentFolder) {
  Medium medium = NewMedium("fonts-running");
  MakeFonts(medium, {"installer-test-font.ttf"});
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string installed = std::string(windows) + "\\Fonts\\installer-test-font.ttf";
  ASSERT_FALSE(FileExists(installed));

  InFolder(medium.root, [] { InstallFonts(); });

  EXPECT_EQ(e2e::ReadAll(installed), "font installer-test-font.ttf");
  ExpectFontValue("installer-test-font.ttf", installed);
}
