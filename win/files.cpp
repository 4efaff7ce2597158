#include "win/files.h"

#include "core/failure.h"
#include "core/fill.h"
#include "core/texts.h"
#include "win/scoped.h"
#include "win/text.h"

#include <algorithm>
#include <vector>

namespace {
// A name with a NUL byte names nothing: the system would read only the part before it.
bool HasNul(const std::string& path) { return path.find('\0') != std::string::npos; }
}  // namespace

std::string OemPathText(const std::string& path) {
  const unsigned oem = GetOEMCP();
  const std::wstring wide = ToWide(path);
  bool complete = false;
  const std::string text = ToCodePage(wide, oem, &complete);
  if (complete) return text;
  auto shortForm = [](const std::wstring& existing) {
    std::vector<wchar_t> buffer(existing.size() + 1);
    DWORD length = GetShortPathNameW(existing.c_str(), buffer.data(), (DWORD)buffer.size());
    return length == 0 || length >= buffer.size() ? std::wstring()
                                                  : std::wstring(buffer.data(), length);
  };
  std::wstring spelled = shortForm(wide);
  if (spelled.empty()) {
    const std::wstring::size_type slash = wide.rfind(L'\\');
    if (slash == std::wstring::npos) return text;
    const std::wstring folder = shortForm(wide.substr(0, slash));
    if (folder.empty()) return text;
    spelled = folder + wide.substr(slash);
  }
  const std::string shortText = ToCodePage(spelled, oem, &complete);
  return complete ? shortText : text;
}

// By the name's attributes: under Wine a listing costs several requests to the server,
// which the installer pays once per payload file; the attributes are read without any.
bool FileExists(const std::string& path) {
  if (HasNul(path)) return false;
  DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  if (HasNul(path)) return false;
  DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

uint64_t FileSizeAt(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (HasNul(path) || !GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data))
    return 0;
  return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void ListFolder(const std::string& pattern, uint32_t mask,
                const std::function<void(const ListedEntry&)>& visit) {
  if (HasNul(pattern)) return;
  WIN32_FIND_DATAW data;
  ScopedFind find(FindFirstFileW(ToWide(pattern).c_str(), &data));
  if (!find.held()) return;
  do {
    if (!PassesListingMask(data.dwFileAttributes, mask)) continue;
    bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    uint64_t size = folder ? 0 : (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    visit(ListedEntry{FromWide(data.cFileName), data.dwFileAttributes, size});
  } while (FindNextFileW(find.get(), &data));
}

std::string SystemErrorText(unsigned long error) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = FromWide(std::wstring(buffer ? buffer : L"", length));
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text;
}

void RaiseSystemFailure(const char* pattern, const std::string& path, unsigned long error) {
  throw Failure(FillText(pattern, {FullPath(path), SystemErrorText(error)}));
}

std::string FullPath(const std::string& path) {
  const std::wstring wide = ToWide(path);
  wchar_t* namePart = nullptr;
  DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, &namePart);
  if (length == 0) return path;
  std::vector<wchar_t> buffer(length);
  length = GetFullPathNameW(wide.c_str(), (DWORD)buffer.size(), buffer.data(), &namePart);
  if (length == 0 || length >= buffer.size()) return path;
  return FromWide(std::wstring(buffer.data(), length));
}

std::string PartialCopyName(const std::string& target) { return target + ".$$$"; }

namespace {
// SetFileInformationByHandle's rename record (FILE_RENAME_INFO), which the headers for
// Windows XP leave out.
struct RenameRecord {
  DWORD replaceIfExists;
  HANDLE rootDirectory;
  DWORD nameBytes;
  WCHAR name[1];
};
const int kFileRenameInfo = 3;

// Renames a file through its open handle (opened with DELETE access), replacing the target:
// under Wine one request to the server, where a rename by name opens, queries and closes the
// file again. False when the system lacks the call (before Windows Vista) or the rename
// fails; the caller then renames by name, which reports the error.
bool RenameOpenFile(HANDLE file, const std::wstring& target) {
  using SetInformation = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
  static const auto setInformation = reinterpret_cast<SetInformation>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetFileInformationByHandle")));
  if (!setInformation) return false;
  const DWORD nameBytes = DWORD(target.size() * sizeof(wchar_t));
  std::vector<char> bytes(sizeof(RenameRecord) + nameBytes);
  auto* record = reinterpret_cast<RenameRecord*>(bytes.data());
  record->replaceIfExists = TRUE;
  record->nameBytes = nameBytes;
  std::copy(target.begin(), target.end(), record->name);
  return setInformation(file, kFileRenameInfo, record, DWORD(bytes.size()));
}

enum class WhenWhole { kKeepPartial, kRenameToTarget };

// The copy into PartialCopyName(target); with kRenameToTarget, the whole copy is then
// renamed to the target (through its handle where the system can, else by name). Returns the
// partial copy's name.
std::string CopyWhole(const std::string& source, const std::string& target,
                      bool targetMustBeWritable, WhenWhole whenWhole,
                      const std::function<void()>& betweenChunks) {
  const DWORD kChunk = 61440;
  if (HasNul(source)) RaiseSystemFailure(texts::kCannotOpenFile, source, ERROR_FILE_NOT_FOUND);
  ScopedHandle in(CreateFileW(ToWide(source).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!in.held()) RaiseSystemFailure(texts::kCannotOpenFile, source);
  if (HasNul(target)) RaiseSystemFailure(texts::kCannotCreateFile, target, ERROR_INVALID_NAME);
  if (targetMustBeWritable) {
    // An existing target in use or read-only fails as its creation in place would have.
    ScopedHandle existing(CreateFileW(ToWide(target).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD error = GetLastError();
    if (!existing.held() && error != ERROR_FILE_NOT_FOUND)
      RaiseSystemFailure(texts::kCannotCreateFile, target, error);
  }
  const std::string partial = PartialCopyName(target);
  bool renamed = false;
  {
    ScopedHandle out(CreateFileW(ToWide(partial).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0,
                                 nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.held()) RaiseSystemFailure(texts::kCannotCreateFile, target);
    try {
      LARGE_INTEGER size;
      if (!GetFileSizeEx(in.get(), &size)) size.QuadPart = 0;
      uint64_t remaining = (uint64_t)size.QuadPart;
      std::vector<char> buffer((size_t)std::min<uint64_t>(remaining, kChunk));
      while (remaining > 0) {
        DWORD chunk = (DWORD)std::min<uint64_t>(remaining, kChunk);
        DWORD done = 0;
        if (!ReadFile(in.get(), buffer.data(), chunk, &done, nullptr) || done != chunk)
          throw Failure(texts::kStreamReadError);
        if (!WriteFile(out.get(), buffer.data(), chunk, &done, nullptr) || done != chunk)
          throw Failure(texts::kStreamWriteError);
        remaining -= chunk;
        if (betweenChunks) betweenChunks();
      }
    } catch (...) {
      out.Reset();
      DeleteFileW(ToWide(partial).c_str());
      throw;
    }
    if (whenWhole == WhenWhole::kRenameToTarget)
      renamed = RenameOpenFile(out.get(), ToWide(target));
  }  // the copy closes before the source
  if (whenWhole == WhenWhole::kRenameToTarget && !renamed &&
      !MoveFileExW(ToWide(partial).c_str(), ToWide(target).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD error = GetLastError();
    DeleteFileW(ToWide(partial).c_str());
    RaiseSystemFailure(texts::kCannotCreateFile, target, error);
  }
  return partial;
}
}  // namespace

std::string CopyToPartialFile(const std::string& source, const std::string& target,
                              bool targetMustBeWritable,
                              const std::function<void()>& betweenChunks) {
  return CopyWhole(source, target, targetMustBeWritable, WhenWhole::kKeepPartial, betweenChunks);
}

void CopyFileContents(const std::string& source, const std::string& target,
                      const std::function<void()>& betweenChunks) {
  const bool targetMustBeWritable = true;
  CopyWhole(source, target, targetMustBeWritable, WhenWhole::kRenameToTarget, betweenChunks);
}

namespace {
// The whole file into *bytes: 0, or the system's error number, *opened telling whether the
// open or the read failed.
unsigned long ReadAll(const std::string& path, std::string* bytes, bool* opened) {
  bytes->clear();
  *opened = false;
  if (HasNul(path)) return ERROR_FILE_NOT_FOUND;
  ScopedHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.held()) return GetLastError();
  *opened = true;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return GetLastError();
    if (got == 0) return 0;
    bytes->append(buffer, got);
  }
}
}  // namespace

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  bool opened = false;
  if (const unsigned long error = ReadAll(path, &bytes, &opened)) {
    if (!opened) RaiseSystemFailure(texts::kCannotOpenFile, path, error);
    throw Failure(texts::kStreamReadError);
  }
  return bytes;
}

bool ReadWholeFile(const std::string& path, std::string* bytes, unsigned long* error) {
  bool opened = false;
  *error = ReadAll(path, bytes, &opened);
  if (*error) bytes->clear();
  return *error == 0;
}

bool SetCurrentFolder(const std::string& path) {
  return SetCurrentDirectoryW(ToWide(path).c_str());
}
bool CreateFolder(const std::string& path) {
  return CreateDirectoryW(ToWide(path).c_str(), nullptr);
}
bool RemoveFolder(const std::string& path) { return RemoveDirectoryW(ToWide(path).c_str()); }
bool DeleteFileAt(const std::string& path) { return DeleteFileW(ToWide(path).c_str()); }
bool RenameFile(const std::string& source, const std::string& target) {
  return MoveFileW(ToWide(source).c_str(), ToWide(target).c_str());
}
bool SetPlainAttributes(const std::string& path) {
  return SetFileAttributesW(ToWide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

std::string CurrentFolder() {
  wchar_t buffer[MAX_PATH] = L"";
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
  return length < MAX_PATH ? FromWide(std::wstring(buffer, length)) : std::string();
}

std::string ProgramFilePath() {
  std::vector<wchar_t> buffer(MAX_PATH * 4);
  DWORD length = GetModuleFileNameW(nullptr, buffer.data(), (DWORD)buffer.size());
  return FromWide(std::wstring(buffer.data(), length));
}

HMODULE LoadLibraryFile(const std::string& path) { return LoadLibraryW(ToWide(path).c_str()); }
