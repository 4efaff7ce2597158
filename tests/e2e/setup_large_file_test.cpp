// The installer during the copy of one large file: its window handles the user's input in
// the middle of the file (the exit confirmation opens while the file is still incomplete),
// and an exit confirmed there ends the program only once the file is whole, so that no file
// is left cut short under its name.
#include "setup/controls.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/medium.h"
#include "tests/e2e/setup_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace e2e;

namespace {

const int64_t kLargeSize = int64_t(1) << 30;
const char kEndMark[] = "end of the large file";
const RECT kExitOkRect = {107, 161, 107 + 44, 161 + 40};

// A large file made at once: zeros (a sparse file) with a mark in its last bytes.
void MakeLargeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER at;
  at.QuadPart = kLargeSize - int64_t(sizeof kEndMark);
  SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
  DWORD written = 0;
  ::WriteFile(file, kEndMark, sizeof kEndMark, &written, nullptr);
  CloseHandle(file);
}

// The files of a folder with their sizes.
std::vector<std::pair<std::string, int64_t>> FilesIn(const std::string& folder) {
  std::vector<std::pair<std::string, int64_t>> files;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files.push_back({data.cFileName, (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return files;
}

int64_t BytesIn(const std::string& folder) {
  int64_t total = 0;
  for (const auto& file : FilesIn(folder)) total += file.second;
  return total;
}

std::string LastBytes(const std::string& path, size_t count) {
  std::string bytes(count, '\0');
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  LARGE_INTEGER at;
  at.QuadPart = -int64_t(count);
  SetFilePointerEx(file, at, nullptr, FILE_END);
  DWORD read = 0;
  ::ReadFile(file, &bytes[0], (DWORD)count, &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

}  // namespace

TEST(SetupLargeFile, AnswersMidFileAndAnExitThereLeavesTheFileWhole) {
  // The install folder carries the code page, as both code-page runs may go at once.
  const std::string name = "LargeFile" + std::to_string(GetACP());
  const std::string target = "C:\\" + name;
  RemoveTree(target);
  const std::string medium = NewTestFolder("large-file");
  CopyFileTo(ProgramPath("setup.exe"), medium + "\\setup.exe");
  WriteFile(medium + "\\REG.CFG",
            "T1\r\nT2\r\nPayload\r\n" + name + "\r\nDaftar\r\nDaftar\r\nOrg\r\n\r\n\r\n0\r\n");
  MakeFolders(medium + "\\Payload");
  MakeLargeFile(medium + "\\Payload\\large.bin");

  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitMainWindow(setup);
  ASSERT_TRUE(window);
  ASSERT_EQ(PathText(window), target);
  ClickControl(window, kNext1);
  ASSERT_TRUE(WaitUntil([&] { return BytesIn(target) > 0; }, 60000));
  ClickControl(window, kCancel);
  HWND exitBox = WaitWindow(setup, "TForm5");
  ASSERT_TRUE(exitBox);
  // The confirmation came up with the file still incomplete: the window handled the click
  // in the middle of the file.
  EXPECT_LT(BytesIn(target), kLargeSize);

  ClickRect(exitBox, kExitOkRect);
  EXPECT_EQ(setup.WaitExit(60000), 0);
  const auto files = FilesIn(target);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].first, "large.bin");
  EXPECT_EQ(files[0].second, kLargeSize);
  EXPECT_EQ(LastBytes(target + "\\large.bin", sizeof kEndMark),
            std::string(kEndMark, sizeof kEndMark));
  RemoveTree(target);
  RemoveTree(medium);
}
