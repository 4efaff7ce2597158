#include "win/files.h"

#include "core/failure.h"
#include "core/fill.h"
#include "core/texts.h"

#include <windows.h>

#include <algorithm>
#include <vector>

// By the name's attributes: under Wine a listing costs several requests to the server,
// which the installer pays once per payload file; the attributes are read without any.
bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ListFolder(const std::string& pattern, uint32_t mask,
                const std::function<void(const ListedEntry&)>& visit) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  // The handle is closed even when the visitor raises a failure.
  struct Closer {
    HANDLE handle;
    ~Closer() { FindClose(handle); }
  } closer{find};
  do {
    if (!PassesListingMask(data.dwFileAttributes, mask)) continue;
    bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    uint64_t size = folder ? 0 : (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    visit(ListedEntry{data.cFileName, data.dwFileAttributes, size});
  } while (FindNextFileA(find, &data));
}

std::string SystemErrorText(unsigned long error) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(buffer ? buffer : "", length);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text;
}

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH];
  char* namePart = nullptr;
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &namePart);
  if (length == 0) return path;
  if (length < MAX_PATH) return std::string(buffer, length);
  std::vector<char> large(length);
  length = GetFullPathNameA(path.c_str(), (DWORD)large.size(), large.data(), &namePart);
  return std::string(large.data(), length);
}

namespace {
struct Handle {
  HANDLE value;
  ~Handle() {
    if (value != INVALID_HANDLE_VALUE) CloseHandle(value);
  }
};
}  // namespace

void CopyFileContents(const std::string& source, const std::string& target,
                      const std::function<void()>& betweenChunks) {
  const DWORD kChunk = 61440;
  Handle in{CreateFileA(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (in.value == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    throw Failure(FillText(texts::kCannotOpenFile, {FullPath(source), SystemErrorText(error)}));
  }
  Handle out{CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (out.value == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    throw Failure(FillText(texts::kCannotCreateFile, {FullPath(target), SystemErrorText(error)}));
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(in.value, &size)) size.QuadPart = 0;
  uint64_t remaining = (uint64_t)size.QuadPart;
  std::vector<char> buffer((size_t)std::min<uint64_t>(remaining, kChunk));
  while (remaining > 0) {
    DWORD chunk = (DWORD)std::min<uint64_t>(remaining, kChunk);
    DWORD done = 0;
    if (!ReadFile(in.value, buffer.data(), chunk, &done, nullptr) || done != chunk)
      throw Failure(texts::kStreamReadError);
    if (!WriteFile(out.value, buffer.data(), chunk, &done, nullptr) || done != chunk)
      throw Failure(texts::kStreamWriteError);
    remaining -= chunk;
    if (betweenChunks) betweenChunks();
  }
  // The target closes before the source, as the member order of destruction gives.
}

bool ReadWholeFile(const std::string& path, std::string* bytes, unsigned long* error) {
  Handle file{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)};
  bytes->clear();
  if (file.value == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    return false;
  }
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.value, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes->append(buffer, got);
  return true;
}
