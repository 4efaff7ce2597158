// The payload walk on real folders: order, relative paths, what is left out, sizes.
#include "setup/engine/payload.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "win/files.h"
#include "win/text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

namespace {

// Scans a folder the way the installation does: with it as the current folder.
PayloadInventory Scan(const std::string& folder) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  EXPECT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  PayloadInventory inventory;
  ScanPayload("", inventory);
  SetCurrentDirectoryA(previous);
  return inventory;
}

// The names of a folder's entries in the order the platform lists them.
std::vector<std::string> ListingOrder(const std::string& folder) {
  std::vector<std::string> names;
  ListFolder(folder + "\\*.*", 16, [&](const ListedEntry& entry) { names.push_back(entry.name); });
  return names;
}

size_t IndexOf(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) - list.begin();
}

}  // namespace

// The tree: a.txt, Sub (b.txt, Deep (c.txt)), z.txt.
TEST(ScanPayload, WalksInPreOrderInListingOrder) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("a.txt"), "a");
  e2e::MakeFolders(folder.Path("Sub"));
  e2e::WriteFile(folder.Path("Sub\\b.txt"), "bb");
  e2e::MakeFolders(folder.Path("Sub\\Deep"));
  e2e::WriteFile(folder.Path("Sub\\Deep\\c.txt"), "ccc");
  e2e::WriteFile(folder.Path("z.txt"), "zzzz");

  PayloadInventory inventory = Scan(folder.Path());
  EXPECT_EQ(inventory.FolderPaths, (std::vector<std::string>{"Sub", "Sub\\Deep"}));
  std::vector<std::string> files = inventory.FilePaths;
  ASSERT_EQ(files.size(), 4u);
  std::vector<std::string> sorted = files;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::string>{"Sub\\Deep\\c.txt", "Sub\\b.txt", "a.txt", "z.txt"}));

  // Everything below Sub is recorded together, where Sub stands in its parent's listing, and
  // each level keeps the platform's listing order.
  size_t b = IndexOf(files, "Sub\\b.txt"), c = IndexOf(files, "Sub\\Deep\\c.txt");
  EXPECT_EQ(std::max(b, c) - std::min(b, c), 1u);
  std::vector<std::string> top = ListingOrder(folder.Path());
  EXPECT_EQ(IndexOf(top, "a.txt") < IndexOf(top, "Sub"), IndexOf(files, "a.txt") < std::min(b, c));
  EXPECT_EQ(IndexOf(top, "z.txt") < IndexOf(top, "Sub"), IndexOf(files, "z.txt") < std::min(b, c));
  EXPECT_EQ(IndexOf(top, "a.txt") < IndexOf(top, "z.txt"),
            IndexOf(files, "a.txt") < IndexOf(files, "z.txt"));
  std::vector<std::string> sub = ListingOrder(folder.Path("Sub"));
  EXPECT_EQ(IndexOf(sub, "b.txt") < IndexOf(sub, "Deep"), b < c);

  for (size_t i = 0; i < files.size(); ++i)
    EXPECT_EQ(inventory.FileSizes[i], files[i] == "a.txt"              ? 1u
                                      : files[i] == "Sub\\b.txt"       ? 2u
                                      : files[i] == "Sub\\Deep\\c.txt" ? 3u
                                                                       : 4u);
  EXPECT_EQ(inventory.TotalSize, 10u);
}

TEST(ScanPayload, LeavesOutHiddenAndSystemEntriesAndKeepsEmptyFiles) {
  e2e::ScratchFolder folder;
  e2e::MakeEntries(folder.Path(), {{"empty.txt", ""},
                                   {"read-only.txt", "r", FILE_ATTRIBUTE_READONLY},
                                   {"hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN},
                                   {"system.txt", "s", FILE_ATTRIBUTE_SYSTEM},
                                   {"Secret\\inside.txt", "i"},
                                   {"Secret\\", "", FILE_ATTRIBUTE_HIDDEN},
                                   {"Empty\\"}});

  PayloadInventory inventory = Scan(folder.Path());
  EXPECT_EQ(inventory.FolderPaths, (std::vector<std::string>{"Empty"}));
  std::vector<std::string> files = inventory.FilePaths;
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"empty.txt", "read-only.txt"}));
  EXPECT_EQ(inventory.FileSizes[IndexOf(inventory.FilePaths, "empty.txt")], 0u);
  EXPECT_EQ(inventory.TotalSize, 1u);
  e2e::SetAttributes(folder.Path("read-only.txt"), FILE_ATTRIBUTE_NORMAL);
}

TEST(ScanPayload, EmptyFolderGivesAnEmptyInventory) {
  e2e::ScratchFolder folder;
  PayloadInventory inventory = Scan(folder.Path());
  EXPECT_EQ(inventory.FolderCount(), 0u);
  EXPECT_EQ(inventory.FileCount(), 0u);
  EXPECT_EQ(inventory.TotalSize, 0u);
}

// Sparse files (their length set, nothing written) of exactly 4 GiB, which lists with 0 in
// the low 32 bits, and of 3 GiB, negative as a signed 32-bit size.
TEST(ScanPayload, CountsFilesOf4GiBAndMoreWithTheirTrueSize) {
  e2e::ScratchFolder folder;
  const uint64_t gib = uint64_t(1) << 30;
  for (auto [name, size] : {std::pair{"four.bin", 4 * gib}, std::pair{"three.bin", 3 * gib}}) {
    HANDLE file = CreateFileA(folder.Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = (LONGLONG)size;
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
  }
  PayloadInventory inventory = Scan(folder.Path());
  ASSERT_EQ(inventory.FileCount(), 2u);
  EXPECT_EQ(inventory.FileSizes[IndexOf(inventory.FilePaths, "four.bin")], 4 * gib);
  EXPECT_EQ(inventory.FileSizes[IndexOf(inventory.FilePaths, "three.bin")], 3 * gib);
  EXPECT_EQ(inventory.TotalSize, 7 * gib);
}

// A folder whose path is longer than MAX_PATH is recorded and, where the wide functions
// reach that far (Wine's do without the "\\?\" prefix; a Windows without long path support
// lists nothing there and the folder is recorded empty), so is what lies below it.
TEST(ScanPayload, FolderBeyondMaxPathIsListedWhereTheWideFunctionsReach) {
  e2e::ScratchFolder folder;
  const std::string outer(150, 'o'), inner(150, 'i');
  const std::wstring root = L"\\\\?\\" + ToWide(folder.Path());
  const std::wstring longFolder = root + L"\\" + ToWide(outer + "\\" + inner);
  ASSERT_TRUE(CreateDirectoryW((root + L"\\" + ToWide(outer)).c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
  HANDLE file = CreateFileW((longFolder + L"\\deep.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  e2e::WriteFile(folder.Path("top.txt"), "t");

  PayloadInventory inventory = Scan(folder.Path());
  EXPECT_EQ(inventory.FolderPaths, (std::vector<std::string>{outer, outer + "\\" + inner}));
  EXPECT_EQ(inventory.FilePaths,
            (std::vector<std::string>{outer + "\\" + inner + "\\deep.txt", "top.txt"}));
  DeleteFileW((longFolder + L"\\deep.txt").c_str());
  RemoveDirectoryW(longFolder.c_str());
}

// Links and junctions in the payload are passed over: neither followed (two links leading
// back into the payload would make the walk endless) nor copied.
TEST(ScanPayload, PassesOverLinks) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("a.txt"), "a");
  e2e::MakeFolders(folder.Path("Sub"));
  e2e::WriteFile(folder.Path("Sub\\b.txt"), "bb");
  if (!e2e::MakeLink(folder.Path("Sub\\Up"), folder.Path()) ||
      !e2e::MakeLink(folder.Path("Again"), folder.Path()))
    GTEST_SKIP() << "no symbolic links here";
  PayloadInventory inventory = Scan(folder.Path());
  EXPECT_EQ(inventory.FolderPaths, (std::vector<std::string>{"Sub"}));
  std::vector<std::string> files = inventory.FilePaths;
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"Sub\\b.txt", "a.txt"}));
  EXPECT_EQ(inventory.TotalSize, 3u);
}
