// A fresh folder per test under C:\engine-tests (removed at the end) and small file helpers
// for tests that work on Wine's real file system.
#pragma once
#include <string>

class ScratchFolder {
 public:
  // C:\engine-tests\<suite>.<test>, empty.
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The folder, or a path below it ("a\b.txt").
  std::string Path(const std::string& relative = "") const;

 private:
  std::string path_;
};

// Removes a file or a folder with everything below it, read-only entries included.
void RemoveTree(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The whole content; "<missing>" when the file cannot be opened.
std::string ReadBytes(const std::string& path);
void MakeFolder(const std::string& path);
// Sets or clears attribute bits (read-only, hidden, system) of an existing entry.
void SetAttributes(const std::string& path, unsigned long attributes);
