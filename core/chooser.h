// The rules of the install-folder chooser (TForm4): the figures of the drive-space lines,
// the folder label shortened to its width, and the proposed target made from the picked
// folder.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Puts "," between groups of three characters counted from the right: 1234567 gives
// 1,234,567. The separator is always ",", whatever the regional settings say.
std::string GroupThousands(const std::string& digits);

// The kilobyte figures of a drive (1 KB = 1024 bytes, truncated); a failed query shows 0.
struct DriveSpace {
  uint64_t sizeKB = 0;
  uint64_t freeKB = 0;
};
DriveSpace DriveSpaceInKB(bool queried, uint64_t totalBytes, uint64_t freeBytes);

// A folder path that fits the width: when it is wider, folders are cut from the left and
// "..." stands in their place, the drive kept while that fits, the last folder always kept
// (C:\...\Programs\Accounts, then ...\Accounts). width measures a text in pixels.
std::string ShortenPathToFit(const std::string& path, int maxWidth,
                             const std::function<int(const std::string&)>& width);

// The folder the chooser opens at for a proposed target: the target without its last
// length(defaultFolderName) characters, which is the parent folder with its trailing
// backslash (C:\ for C:\Accounts). An empty target gives an empty text.
std::string ParentOfTarget(const std::string& target, const std::string& defaultFolderName);

// The proposed target for a picked folder: the folder with one trailing backslash, then the
// product's folder name (an empty name leaves the trailing backslash).
std::string TargetInFolder(const std::string& folder, const std::string& defaultFolderName);

// One line of the folder list: the folders from the drive's root down to the selected
// folder (open, one level deeper each), then the selected folder's subfolders.
struct FolderItem {
  std::string name;  // "C:\" for the root, else the folder's name
  std::string path;  // the folder it opens
  int level;
  bool open;
};
// The lines for a selected folder (C:\ or D:\Programs\Tools, a trailing backslash only
// for a root) and the names of its subfolders, which are listed in name order, letter case
// aside. The selected folder's line is at index SelectedFolderIndex.
std::vector<FolderItem> FolderListItems(const std::string& selected,
                                        std::vector<std::string> subfolders);
size_t SelectedFolderIndex(const std::vector<FolderItem>& items);
