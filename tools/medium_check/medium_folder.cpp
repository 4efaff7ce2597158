#include "tools/medium_check/medium_folder.h"

#include "core/names.h"

#include <cstdio>

#ifdef _WIN32

#include "win/files.h"
#include "win/text.h"

#include <shellapi.h>

#include <windows.h>

namespace {

class WindowsMediumFolder : public MediumFolder {
 public:
  explicit WindowsMediumFolder(const std::string& root) : root_(root) {}

  std::optional<std::vector<ListedEntry>> List(const std::string& folder) const override {
    const std::string path = Resolve(folder);
    if (!FolderExists(path)) return std::nullopt;
    std::vector<ListedEntry> entries;
    ListFolder(path + "\\*.*", kEveryEntryMask, [&](const ListedEntry& entry) {
      if (!IsDotName(entry.name)) entries.push_back(entry);
    });
    return entries;
  }

  std::optional<std::string> Read(const std::string& file) const override {
    const std::string path = Resolve(file);
    if (!FileExists(path)) return std::nullopt;
    return ReadWholeFile(path);
  }

  bool SeesHiddenAndSystem() const override { return true; }

 private:
  std::string Resolve(const std::string& path) const {
    if (path.empty()) return root_;
    bool absolute = path[0] == '\\' || path[0] == '/' || (path.size() > 1 && path[1] == ':');
    return absolute ? path : root_ + "\\" + path;
  }
  std::string root_;
};

}  // namespace

std::string CommandLineArgument(int index, char**) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const std::string argument = arguments && index < count ? FromWide(arguments[index]) : "";
  LocalFree(arguments);
  return argument;
}

std::unique_ptr<MediumFolder> OpenMediumFolder(const std::string& path) {
  if (!FolderExists(path)) return nullptr;
  return std::make_unique<WindowsMediumFolder>(path);
}

void PrintLine(const std::string& text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode;
  if (GetConsoleMode(out, &mode)) {
    const std::wstring wide = ToWide(text) + L"\r\n";
    DWORD written;
    WriteConsoleW(out, wide.data(), (DWORD)wide.size(), &written, nullptr);
  } else {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputs("\n", stdout);  // text mode writes CR LF
  }
}

#else

#include <iconv.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Converts between UTF-8 and code page 1256 one character at a time; a character that the
// target lacks becomes "?", as in the names of Windows' ANSI listing.
std::string Convert(const std::string& text, const char* from, const char* to) {
  iconv_t converter = iconv_open(to, from);
  std::string result;
  for (size_t i = 0; i < text.size();) {
    size_t length = 1;
    if (std::string(from) == "UTF-8") {
      unsigned char lead = text[i];
      length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      length = std::min(length, text.size() - i);
    }
    std::string piece = text.substr(i, length);
    char out[8];
    char* in = &piece[0];
    char* next = out;
    size_t inLeft = piece.size(), outLeft = sizeof out;
    if (iconv(converter, &in, &inLeft, &next, &outLeft) == (size_t)-1)
      result += '?';
    else
      result.append(out, next - out);
    i += length;
  }
  iconv_close(converter);
  return result;
}

std::string ToUtf8(const std::string& text) { return Convert(text, "CP1256", "UTF-8"); }
std::string ToCodePage(const std::string& text) { return Convert(text, "UTF-8", "CP1256"); }

class HostMediumFolder : public MediumFolder {
 public:
  explicit HostMediumFolder(const fs::path& root) : root_(root) {}

  // Entries in name order without regard to case, the order of a CD or an NTFS folder.
  std::optional<std::vector<ListedEntry>> List(const std::string& folder) const override {
    std::optional<fs::path> path = Resolve(folder);
    std::error_code error;
    if (!path || !fs::is_directory(*path, error)) return std::nullopt;
    std::vector<std::pair<std::string, ListedEntry>> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(*path, error)) {
      const std::string name = entry.path().filename().string();
      const bool isFolder = entry.is_directory(error);
      const uint64_t size = isFolder ? 0 : entry.file_size(error);
      // A symbolic link lists as Windows lists a link: with the reparse-point bit.
      const uint32_t attributes =
          (isFolder ? kFolderBit : 0u) | (entry.is_symlink(error) ? kReparsePointBit : 0u);
      found.push_back({UpperAtoZ(name), {ToCodePage(name), attributes, size}});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ListedEntry> entries;
    for (auto& item : found) entries.push_back(std::move(item.second));
    return entries;
  }

  std::optional<std::string> Read(const std::string& file) const override {
    std::optional<fs::path> path = Resolve(file);
    std::error_code error;
    if (!path || !fs::is_regular_file(*path, error)) return std::nullopt;
    std::ifstream in(*path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  bool SeesHiddenAndSystem() const override { return false; }

 private:
  // Each component of a relative path in code page 1256, found without regard to letter
  // case as Windows finds it. An absolute Windows path names no folder of this machine, and a
  // name with a NUL byte none at all (the file system would read only the part before it).
  std::optional<fs::path> Resolve(const std::string& path) const {
    if (!path.empty() && (path[0] == '\\' || path[0] == '/' || path.find(':') != std::string::npos))
      return std::nullopt;
    if (path.find('\0') != std::string::npos) return std::nullopt;
    fs::path current = root_;
    std::istringstream components(path);
    std::string component;
    while (std::getline(components, component, '\\')) {
      if (component.empty()) continue;
      const std::string name = ToUtf8(component);
      std::error_code error;
      if (fs::exists(current / name, error)) {
        current /= name;
        continue;
      }
      bool found = false;
      for (const fs::directory_entry& entry : fs::directory_iterator(current, error))
        if (SameFileName(entry.path().filename().string(), name)) {
          current = entry.path();
          found = true;
          break;
        }
      if (!found) return std::nullopt;
    }
    return current;
  }
  fs::path root_;
};

}  // namespace

std::unique_ptr<MediumFolder> OpenMediumFolder(const std::string& path) {
  std::error_code error;
  if (!fs::is_directory(path, error)) return nullptr;
  return std::make_unique<HostMediumFolder>(path);
}

// The whole line, NUL bytes included.
void PrintLine(const std::string& text) {
  const std::string line = ToUtf8(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
}

std::string CommandLineArgument(int index, char** argv) { return argv[index]; }

#endif
