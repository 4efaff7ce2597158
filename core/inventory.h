// The payload inventory: the relative paths of the payload's folders and files, in the order
// of the walk, with each file's size and the total. Sizes are 64-bit and the tables grow as
// needed, so payloads with files of 2 GiB and more, or more files than any fixed table
// would hold, are counted and installed whole.
#pragma once
#include "core/listing.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct PayloadInventory {
  // Paths relative to the payload folder, components joined by "\", no leading or trailing
  // backslash: Data, Data\Images.
  std::vector<std::string> FolderPaths;
  // Parallel tables: readme.txt, Data\Images\a.jpg and their sizes in bytes.
  std::vector<std::string> FilePaths;
  std::vector<uint64_t> FileSizes;
  uint64_t TotalSize = 0;

  size_t FolderCount() const { return FolderPaths.size(); }
  size_t FileCount() const { return FilePaths.size(); }
  void AddFolder(const std::string& path) { FolderPaths.push_back(path); }
  void AddFile(const std::string& path, uint64_t size) {
    FilePaths.push_back(path);
    FileSizes.push_back(size);
    TotalSize += size;
  }
};

// The payload is listed with the folder mask (16): hidden, system and volume-label entries
// are passed over.
inline constexpr uint32_t kPayloadListingMask = kFolderBit;

enum class PayloadEntry { Skipped, Folder, File };

// What the payload walk does with a listed entry: "." and ".." and the entries the folder
// mask passes over are skipped, and so are links and junctions (reparse points), which are
// neither followed nor copied, as a link may lead anywhere, its own folder included. An entry
// with the folder bit is a folder whatever other bits it carries (read-only, archive,
// compressed, not content-indexed); everything else is a file, empty files included.
PayloadEntry ClassifyPayloadEntry(const ListedEntry& entry);

// Lists one payload folder with every entry, hidden and system ones included, in the order
// the platform returns them; the folder is given as its prefix: empty for the payload
// folder itself, otherwise its relative path ending with "\".
using PayloadLister = std::function<void(const std::string& prefix,
                                         const std::function<void(const ListedEntry&)>& visit)>;
// Told of each entry that the walk passes over for its attributes, with its relative path.
using PassedOverVisitor = std::function<void(const std::string& path, const ListedEntry& entry)>;

// The payload walk: lists the folder `prefix` and appends what it finds to the inventory,
// depth first in pre-order, in listing order: a folder's path is recorded before the entries
// below it. A folder that cannot be listed contributes nothing.
void WalkPayload(const std::string& prefix, const PayloadLister& list, PayloadInventory& inventory,
                 const PassedOverVisitor& passedOver = nullptr);
