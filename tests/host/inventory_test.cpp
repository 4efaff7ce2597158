// Which listed entries the payload walk records, and the inventory's 64-bit counting.
#include "core/inventory.h"

#include <gtest/gtest.h>

TEST(Inventory, ClassifiesEntriesByAttributesWhateverTheirSize) {
  using E = PayloadEntry;
  struct Case {
    uint32_t attributes;
    E expected;
  } cases[] = {
      {16, E::Folder},          // folder
      {17, E::Folder},          // read-only folder, as on a CD
      {48, E::Folder},          // folder with the archive bit
      {16 | 2048, E::Folder},   // compressed folder
      {16 | 8192, E::Folder},   // not content-indexed folder
      {18, E::Skipped},         // hidden folder
      {20, E::Skipped},         // system folder
      {2, E::Skipped},          // hidden file
      {4, E::Skipped},          // system file
      {8, E::Skipped},          // volume label
      {32, E::File},            // archive file
      {1, E::File},             // read-only file
      {128, E::File},           // normal file
      {33, E::File},            // read-only archive file
      {16 | 1024, E::Skipped},  // link or junction to a folder: not followed
      {32 | 1024, E::Skipped},  // link to a file: not copied
  };
  for (const Case& c : cases)
    for (uint64_t size : {uint64_t(0), uint64_t(1234)}) {
      // Folders list with size 0; a file's size never decides, so empty files are recorded.
      if ((c.attributes & kFolderBit) && size != 0) continue;
      EXPECT_EQ(ClassifyPayloadEntry({"name", c.attributes, size}), c.expected)
          << "attributes " << c.attributes << ", size " << size;
    }
}

TEST(Inventory, SkipsTheFolderItselfAndItsParent) {
  EXPECT_EQ(ClassifyPayloadEntry({".", 16, 0}), PayloadEntry::Skipped);
  EXPECT_EQ(ClassifyPayloadEntry({"..", 17, 0}), PayloadEntry::Skipped);
  EXPECT_EQ(ClassifyPayloadEntry({"...", 16, 0}), PayloadEntry::Folder);
}

TEST(Inventory, CountsSizesOf4GiBAndMoreWithoutWrapping) {
  PayloadInventory inventory;
  const uint64_t gib = uint64_t(1) << 30;
  inventory.AddFile("a.bin", 4 * gib);  // lists as 0 in the low 32 bits
  inventory.AddFile("b.bin", 3 * gib);  // negative as a signed 32-bit size
  inventory.AddFile("empty.txt", 0);
  inventory.AddFolder("Data");
  EXPECT_EQ(inventory.FileCount(), 3u);
  EXPECT_EQ(inventory.FolderCount(), 1u);
  EXPECT_EQ(inventory.FileSizes, (std::vector<uint64_t>{4 * gib, 3 * gib, 0}));
  EXPECT_EQ(inventory.TotalSize, 7 * gib);
}

// A link that leads back to its own folder: the walk passes over it (and says so) instead of
// descending into it again and again.
TEST(Inventory, WalkPassesOverLinksInsteadOfFollowingThem) {
  auto list = [](const std::string& prefix, const std::function<void(const ListedEntry&)>& visit) {
    if (prefix.size() > 200) return;  // a walk that follows the link stops here, far too deep
    visit({"a.txt", 32, 3});
    if (prefix.empty()) visit({"Sub", 16, 0});
    visit({"Loop", 16 | 1024, 0});
  };
  PayloadInventory inventory;
  std::vector<std::string> passedOver;
  WalkPayload("", list, inventory,
              [&](const std::string& path, const ListedEntry&) { passedOver.push_back(path); });
  EXPECT_EQ(inventory.FilePaths, (std::vector<std::string>{"a.txt", "Sub\\a.txt"}));
  EXPECT_EQ(inventory.FolderPaths, (std::vector<std::string>{"Sub"}));
  EXPECT_EQ(passedOver, (std::vector<std::string>{"Sub\\Loop", "Loop"}));
}
