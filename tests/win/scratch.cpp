#include "tests/win/scratch.h"

#include "tests/e2e/driver.h"
#include "win/files.h"
#include "win/text.h"

#include <gtest/gtest.h>
#include <windows.h>

ScratchFolder::ScratchFolder() {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  CreateDirectoryW(L"C:\\engine-tests", nullptr);
  path_ = std::string("C:\\engine-tests\\") + test->test_suite_name() + "." + test->name();
  RemoveTree(path_);
  CreateFolder(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::string ScratchFolder::Path(const std::string& relative) const {
  return relative.empty() ? path_ : path_ + "\\" + relative;
}

void RemoveTree(const std::string& path) {
  DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetPlainAttributes(path);
  // A link goes by itself; what it leads to stays.
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    e2e::RemoveLink(path);
    return;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileAt(path);
    return;
  }
  ListFolder(path + "\\*.*", 63, [&](const ListedEntry& entry) {
    if (entry.name != "." && entry.name != "..") RemoveTree(path + "\\" + entry.name);
  });
  RemoveFolder(path);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size()) << path;
}

std::string ReadBytes(const std::string& path) {
  HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char chunk[65536];
  DWORD done;
  while (ReadFile(file, chunk, sizeof chunk, &done, nullptr) && done > 0) bytes.append(chunk, done);
  CloseHandle(file);
  return bytes;
}

void MakeFolder(const std::string& path) {
  ASSERT_TRUE(CreateFolder(path)) << path;
}

void SetAttributes(const std::string& path, unsigned long attributes) {
  ASSERT_TRUE(SetFileAttributesW(ToWide(path).c_str(), attributes)) << path;
}
