// The file helpers of every Windows test suite and of the demo driver: test folders, whole
// files written and read, entries made from a table with their attributes, trees removed,
// links. Paths are code page 1256 texts, reached by the wide functions, as the programs reach
// them. Helpers that cannot do their work throw, which fails the test that called them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Code page 1256 bytes (the programs' texts and paths) as the wide text windows show and the
// wide functions take, and back ("?" for what code page 1256 cannot spell).
std::wstring Wide1256(const std::string& bytes);
std::string Narrow1256(const std::wstring& text);

// A Windows path for a path of the build (Unix paths are reached through drive Z:).
std::string WindowsPath(const std::string& path);

// A fresh empty folder under the temporary folder: <temp>\e2e-<name>.
std::string NewTestFolder(const std::string& name);

// A fresh test folder named after the running test (<suite>.<test>), removed at its end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The folder, or a path below it ("a\b.txt").
  std::string Path(const std::string& relative = "") const;

 private:
  std::string path_;
};

// Removes a file or a folder with everything below it, read-only entries included; a link
// goes by itself (what it leads to stays). Nothing when absent.
void RemoveTree(const std::string& path);

void WriteFile(const std::string& path, const std::string& bytes);
// Whether the file could be opened; its whole content into *bytes.
bool ReadFile(const std::string& path, std::string* bytes);
// The whole content of a file that must be there.
std::string ReadAll(const std::string& path);
void CopyFileTo(const std::string& source, const std::string& target);
// A folder and the folders above it.
void MakeFolders(const std::string& path);
// Sets the attribute bits (FILE_ATTRIBUTE_READONLY, _HIDDEN, _SYSTEM, _NORMAL) of an entry.
void SetAttributes(const std::string& path, DWORD attributes);

// An entry for MakeEntries: a file with its content, or a folder when the path ends in a
// backslash, with its attribute bits (0: none).
struct Entry {
  std::string path;
  std::string content;
  DWORD attributes = 0;
};
// Makes the entries below root in their order, the folders on their way as needed; the
// attributes are set once every entry is there (a read-only folder still takes its files).
void MakeEntries(const std::string& root, const std::vector<Entry>& entries);

// Whether a file or folder is there.
bool Exists(const std::string& path);
bool IsFile(const std::string& path);
bool IsFolder(const std::string& path);
// The names a search pattern (folder + "\\*") finds, without "." and "..".
std::vector<std::string> Names(const std::string& pattern);

// Makes `link` a symbolic link to the folder `target` (both Windows paths), and removes such a
// link (not what it leads to). False when the system cannot.
bool MakeLink(const std::string& link, const std::string& target);
bool RemoveLink(const std::string& link);

// The Unix path of a Windows path, as Wine maps it; empty when there is none.
std::string UnixPath(const std::string& path);
// Runs a Unix shell command line (no double quotes in it) and waits for its end; false when it
// failed or outlasted the timeout.
bool RunUnixShell(const std::string& script, DWORD timeoutMs);

}  // namespace e2e
