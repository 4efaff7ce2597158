#include "core/chooser.h"

#include "core/text_helpers.h"

#include <algorithm>
#include <cctype>
#include <vector>

std::string GroupThousands(const std::string& digits) {
  std::string result;
  const size_t length = digits.size();
  for (size_t i = 0; i < length; ++i) {
    if (i > 0 && (length - i) % 3 == 0) result += ',';
    result += digits[i];
  }
  return result;
}

DriveSpace DriveSpaceInKB(bool queried, uint64_t totalBytes, uint64_t freeBytes) {
  if (!queried) return {};
  return {totalBytes / 1024, freeBytes / 1024};
}

std::string ShortenPathToFit(const std::string& path, int maxWidth,
                             const std::function<int(const std::string&)>& width) {
  if (width(path) <= maxWidth) return path;
  // Drive part ("C:\") and the folders after it; a trailing backslash belongs to no folder.
  std::string rest = path;
  if (rest.size() > 1 && rest.back() == '\\') rest.pop_back();
  std::string drive;
  const size_t firstSeparator = rest.find('\\');
  if (firstSeparator == std::string::npos) return path;
  drive = rest.substr(0, firstSeparator + 1);
  std::vector<std::string> folders;
  size_t start = firstSeparator + 1;
  while (start <= rest.size()) {
    size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    folders.push_back(rest.substr(start, end - start));
    start = end + 1;
  }
  auto tail = [&](size_t from) {
    std::string text;
    for (size_t i = from; i < folders.size(); ++i) text += "\\" + folders[i];
    return text;
  };
  for (size_t cut = 1; cut < folders.size(); ++cut) {
    const std::string candidate = drive + "..." + tail(cut);
    if (width(candidate) <= maxWidth) return candidate;
  }
  return "..." + tail(folders.size() - 1);
}

std::string ParentOfTarget(const std::string& target, const std::string& defaultFolderName) {
  const size_t length = defaultFolderName.size();
  // The position of the name's first character; a target shorter than the name has none
  // inside it, and the position past its end leaves it whole.
  const size_t position =
      target.size() + 1 >= length ? target.size() + 1 - length : target.size() + 1;
  return SpliceText(target, position, length, "");
}

std::string TargetInFolder(const std::string& folder, const std::string& defaultFolderName) {
  std::string target = folder;
  if (RightText(target, 1) != "\\") target += '\\';
  return target + defaultFolderName;
}

std::vector<FolderItem> FolderListItems(const std::string& selected,
                                        std::vector<std::string> subfolders) {
  std::vector<FolderItem> items;
  const size_t rootEnd = selected.find('\\');
  if (rootEnd == std::string::npos) return items;
  std::string path = selected.substr(0, rootEnd + 1);
  items.push_back({path, path, 0, true});
  size_t start = rootEnd + 1;
  while (start < selected.size()) {
    size_t end = selected.find('\\', start);
    if (end == std::string::npos) end = selected.size();
    const std::string name = selected.substr(start, end - start);
    if (!name.empty()) {
      path = path.back() == '\\' ? path + name : path + "\\" + name;
      items.push_back({name, path, static_cast<int>(items.size()), true});
    }
    start = end + 1;
  }
  auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  std::sort(subfolders.begin(), subfolders.end(),
            [&](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
  const int level = static_cast<int>(items.size());
  const std::string parent = path.back() == '\\' ? path : path + "\\";
  for (const std::string& name : subfolders) items.push_back({name, parent + name, level, false});
  return items;
}

size_t SelectedFolderIndex(const std::vector<FolderItem>& items) {
  size_t index = 0;
  while (index + 1 < items.size() && items[index + 1].open) ++index;
  return index;
}
