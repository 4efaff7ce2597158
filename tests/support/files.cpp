#include "tests/support/files.h"

#include "tests/support/driver.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace e2e {

std::wstring Wide1256(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  const int length =
      MultiByteToWideChar(1256, 0, bytes.data(), (int)bytes.size(), &wide[0], (int)wide.size());
  wide.resize(length > 0 ? length : 0);
  return wide;
}

std::string Narrow1256(const std::wstring& text) {
  std::string bytes(text.size() * 2, '\0');
  const int length = WideCharToMultiByte(1256, 0, text.data(), (int)text.size(), &bytes[0],
                                         (int)bytes.size(), nullptr, nullptr);
  bytes.resize(length > 0 ? length : 0);
  return bytes;
}

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string NewTestFolder(const std::string& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::string folder = Narrow1256(temp) + "e2e-" + name;
  RemoveTree(folder);
  MakeFolders(folder);
  return folder;
}

ScratchFolder::ScratchFolder() {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  path_ = NewTestFolder(std::string(test->test_suite_name()) + "." + test->name());
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::string ScratchFolder::Path(const std::string& relative) const {
  return relative.empty() ? path_ : path_ + "\\" + relative;
}

void RemoveTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide1256(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    RemoveLink(path);
    return;
  }
  SetFileAttributesW(Wide1256(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(Wide1256(path).c_str());
    return;
  }
  for (const std::string& name : Names(path + "\\*")) RemoveTree(path + "\\" + name);
  RemoveDirectoryW(Wide1256(path).c_str());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(Wide1256(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  const BOOL done = ::WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  CloseHandle(file);
  if (!done || written != bytes.size()) throw std::runtime_error("cannot write all of " + path);
}

bool ReadFile(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileW(Wide1256(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes->append(buffer, got);
  CloseHandle(file);
  return true;
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (!ReadFile(path, &bytes)) throw std::runtime_error("cannot read " + path);
  return bytes;
}

void CopyFileTo(const std::string& source, const std::string& target) {
  if (!CopyFileW(Wide1256(source).c_str(), Wide1256(target).c_str(), FALSE))
    throw std::runtime_error("cannot copy " + source + " to " + target);
}

void MakeFolders(const std::string& path) {
  if (path.size() <= 3 || IsFolder(path)) return;
  MakeFolders(path.substr(0, path.rfind('\\')));
  if (!CreateDirectoryW(Wide1256(path).c_str(), nullptr))
    throw std::runtime_error("cannot make the folder " + path);
}

void SetAttributes(const std::string& path, DWORD attributes) {
  if (!SetFileAttributesW(Wide1256(path).c_str(), attributes))
    throw std::runtime_error("cannot set the attributes of " + path);
}

void MakeEntries(const std::string& root, const std::vector<Entry>& entries) {
  const std::string base = !root.empty() && root.back() == '\\' ? root : root + "\\";
  for (const Entry& entry : entries) {
    const std::string path = base + entry.path;
    if (path.back() == '\\') {
      MakeFolders(path.substr(0, path.size() - 1));
    } else {
      MakeFolders(path.substr(0, path.rfind('\\')));
      WriteFile(path, entry.content);
    }
  }
  for (const Entry& entry : entries) {
    const std::string path = base + entry.path;
    if (entry.attributes)
      SetAttributes(path.substr(0, path.find_last_not_of('\\') + 1), entry.attributes);
  }
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide1256(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide1256(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide1256(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Names(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Wide1256(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = Narrow1256(data.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

std::string UnixPath(const std::string& path) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  static const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(Wide1256(path).c_str()) : nullptr;
  if (!name) return "";
  std::string unixPath(name);
  HeapFree(GetProcessHeap(), 0, name);
  return unixPath;
}

namespace {

// Starts a Unix program (Wine starts Unix programs like any other) with a command line of
// Windows rules, then polls until done() holds, as a wait does not follow a Unix process.
bool RunUnix(std::string line, const std::function<bool()>& done, DWORD timeoutMs) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return WaitUntil(done, timeoutMs);
}

// Runs a Unix command on the Unix paths of Windows paths.
bool RunOnUnixPaths(const std::string& command, const std::vector<std::string>& paths,
                    const std::function<bool()>& done) {
  std::string line = command;
  for (const std::string& path : paths) {
    const std::string unixPath = UnixPath(path);
    if (unixPath.empty()) return false;
    line += " \"" + unixPath + "\"";
  }
  return RunUnix(line, done, 5000);
}

bool IsLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide1256(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

// Wine keeps a link as a Unix symbolic link; its CreateSymbolicLink makes none, and its
// deletes do not remove one.
bool MakeLink(const std::string& link, const std::string& target) {
  return RunOnUnixPaths("Z:\\bin\\ln -s", {target, link}, [&] { return IsLink(link); });
}

bool RemoveLink(const std::string& link) {
  return RunOnUnixPaths("Z:\\bin\\rm", {link}, [&] { return !Exists(link); });
}

bool RunUnixShell(const std::string& script, DWORD timeoutMs) {
  static int runs = 0;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string status = Narrow1256(temp) + "unix-status-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
  DeleteFileW(Wide1256(status).c_str());
  const std::string line = "Z:\\bin\\sh -c \"(" + script + "); echo $? > '" + UnixPath(status) +
                           ".new'; mv '" + UnixPath(status) + ".new' '" + UnixPath(status) + "'\"";
  std::string code;
  const bool ended = RunUnix(
      line, [&] { return ReadFile(status, &code); }, timeoutMs);
  DeleteFileW(Wide1256(status).c_str());
  return ended && code == "0\n";
}

}  // namespace e2e
