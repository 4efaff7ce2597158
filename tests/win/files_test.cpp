// The file primitives on Wine's real file system: the copy with its four errors and their
// exact texts, the whole-file reader, the file and folder tests, the listing's attribute mask, and
// names in code page 1256 whatever the system's ANSI code page is.
#include "core/failure.h"
#include "tests/support/files.h"
#include "win/files.h"
#include "win/text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>

namespace {

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = char((i * 7 + i / 251) & 0xFF);
  return bytes;
}

// The failure text CopyFileContents raises, or "" when it succeeds.
std::string CopyFailure(const std::string& source, const std::string& target) {
  try {
    CopyFileContents(source, target);
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "";
}

// The names in a folder, "." and ".." left out.
std::set<std::string> FolderNames(const e2e::ScratchFolder& folder) {
  std::set<std::string> names;
  ListFolder(folder.Path("*.*"), kEveryEntryMask, [&](const ListedEntry& entry) {
    if (entry.name != "." && entry.name != "..") names.insert(entry.name);
  });
  return names;
}

std::string WithSystemText(const char* start, const std::string& path, DWORD error) {
  return std::string(start) + path + "\". " + SystemErrorText(error);
}

}  // namespace

TEST(CopyFileContents, CopiesWholeContentsAndReplacesTheTarget) {
  e2e::ScratchFolder folder;
  for (size_t size : {size_t(0), size_t(1), size_t(61440), size_t(61441), size_t(200000)}) {
    SCOPED_TRACE(size);
    std::string source = folder.Path("source.bin"), target = folder.Path("target.bin");
    e2e::WriteFile(source, Pattern(size));
    e2e::WriteFile(target, std::string(300000, 'x'));  // longer old content is discarded
    CopyFileContents(source, target);
    EXPECT_EQ(e2e::ReadAll(target), Pattern(size));
  }
}

TEST(CopyFileContents, TargetOfAReadOnlySourceIsNotReadOnly) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("cd.txt"), "from a CD");
  e2e::SetAttributes(folder.Path("cd.txt"), FILE_ATTRIBUTE_READONLY);
  CopyFileContents(folder.Path("cd.txt"), folder.Path("copy.txt"));
  EXPECT_EQ(GetFileAttributesA(folder.Path("copy.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(e2e::ReadAll(folder.Path("copy.txt")), "from a CD");
  e2e::SetAttributes(folder.Path("cd.txt"), FILE_ATTRIBUTE_NORMAL);
}

TEST(CopyFileContents, SourceThatCannotBeOpened) {
  e2e::ScratchFolder folder;
  std::string source = folder.Path("a.txt"), target = folder.Path("b.txt");
  e2e::WriteFile(source, "abc");
  // Held open by another handle, even one that only reads and shares everything.
  HANDLE other = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CopyFailure(source, target),
            WithSystemText("Cannot open file \"", source, ERROR_SHARING_VIOLATION));
  CloseHandle(other);
  EXPECT_FALSE(FileExists(target));  // no target is created

  // A missing source named relative to the current folder: the text gives its full path.
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(folder.Path().c_str());
  EXPECT_EQ(
      CopyFailure("missing.txt", "b.txt"),
      WithSystemText("Cannot open file \"", folder.Path("missing.txt"), ERROR_FILE_NOT_FOUND));
  SetCurrentDirectoryA(previous);
  EXPECT_FALSE(FileExists(target));
}

// The one whole-file reader: its raising form gives the texts of the failure box, its other
// form only the system's error number, for the places that show that.
TEST(ReadWholeFile, ReadsAWholeFileOrTellsWhyItCannot) {
  e2e::ScratchFolder folder;
  const std::string path = folder.Path("a.txt");
  e2e::WriteFile(path, Pattern(200000));
  EXPECT_EQ(ReadWholeFile(path), Pattern(200000));
  std::string bytes = "old";
  unsigned long error = 1;
  EXPECT_TRUE(ReadWholeFile(path, &bytes, &error));
  EXPECT_EQ(bytes, Pattern(200000));
  EXPECT_EQ(error, 0u);

  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  std::string text;
  try {
    ReadWholeFile(path);
  } catch (const Failure& failure) {
    text = failure.what();
  }
  EXPECT_EQ(text, WithSystemText("Cannot open file \"", path, ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(ReadWholeFile(path, &bytes, &error));
  EXPECT_EQ(error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(bytes, "");
  CloseHandle(holder);
  EXPECT_FALSE(ReadWholeFile(folder.Path("missing.txt"), &bytes, &error));
  EXPECT_EQ(error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}

// Wine run by root lets a read-only file be opened for writing (the file system's
// permissions do not stop root), so this case runs only where the platform refuses it.
TEST(CopyFileContents, ReadOnlyTargetCannotBeCreated) {
  e2e::ScratchFolder folder;
  std::string source = folder.Path("a.txt"), readOnly = folder.Path("read-only.txt");
  e2e::WriteFile(source, "abc");
  e2e::WriteFile(readOnly, "old");
  e2e::SetAttributes(readOnly, FILE_ATTRIBUTE_READONLY);
  HANDLE probe =
      CreateFileA(readOnly.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    e2e::SetAttributes(readOnly, FILE_ATTRIBUTE_NORMAL);
    GTEST_SKIP() << "this platform opens read-only files for writing (Wine run by root)";
  }
  EXPECT_EQ(CopyFailure(source, readOnly),
            WithSystemText("Cannot create file \"", readOnly, ERROR_ACCESS_DENIED));
  EXPECT_EQ(e2e::ReadAll(readOnly), "old");
  e2e::SetAttributes(readOnly, FILE_ATTRIBUTE_NORMAL);
}

TEST(CopyFileContents, TargetThatCannotBeCreated) {
  e2e::ScratchFolder folder;
  std::string source = folder.Path("a.txt");
  e2e::WriteFile(source, "abc");
  // A folder where the file should go: access is denied, as for a file without rights.
  std::string taken = folder.Path("taken");
  e2e::MakeFolders(taken);
  EXPECT_EQ(CopyFailure(source, taken),
            WithSystemText("Cannot create file \"", taken, ERROR_ACCESS_DENIED));

  std::string inMissingFolder = folder.Path("no-such-folder\\b.txt");
  EXPECT_EQ(CopyFailure(source, inMissingFolder),
            WithSystemText("Cannot create file \"", inMissingFolder, ERROR_PATH_NOT_FOUND));

  std::string inUse = folder.Path("in-use.txt");
  e2e::WriteFile(inUse, "old");
  HANDLE other = CreateFileA(inUse.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(CopyFailure(source, inUse),
            WithSystemText("Cannot create file \"", inUse, ERROR_SHARING_VIOLATION));
  CloseHandle(other);
  // The source was closed again: it can be opened without sharing.
  HANDLE again = CreateFileA(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  CloseHandle(again);
}

// A kernel attribute file promises 4096 bytes and gives a few: a source shorter than its
// size. Reached through Wine's drive Z:, which maps the Linux root.
TEST(CopyFileContents, ShortReadGivesStreamReadError) {
  const char* source = "Z:\\sys\\kernel\\uevent_seqnum";
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(source, GetFileExInfoStandard, &data) || data.nFileSizeLow != 4096)
    GTEST_SKIP() << "no kernel attribute file that reports 4096 bytes";
  e2e::ScratchFolder folder;
  EXPECT_EQ(CopyFailure(source, folder.Path("short.txt")), "Stream read error");
  // Nothing partial stays: neither the target nor the temporary it was written under.
  EXPECT_EQ(FolderNames(folder), std::set<std::string>{});
}

// A full drive: S:, the 1 MiB tmpfs of scripts/test-drives (in the prefixes of the
// *InOwnPrefix tests). The copy fills it and fails with the write error, and nothing of it
// stays, so that no later run takes a cut-off file for an installed one.
TEST(CopyFileContentsInOwnPrefix, TargetOnAFullDriveGivesStreamWriteErrorAndLeavesNothing) {
  ULARGE_INTEGER free, total;
  if (!GetDiskFreeSpaceExA("S:\\", &free, &total, nullptr) || total.QuadPart > (16u << 20))
    GTEST_SKIP() << "drive S: is not the small tmpfs of scripts/test-drives (it needs root)";
  e2e::ScratchFolder folder;
  const size_t size = size_t(free.QuadPart) + 200000;
  e2e::WriteFile(folder.Path("big.bin"), Pattern(size));
  EXPECT_EQ(CopyFailure(folder.Path("big.bin"), "S:\\big.bin"), "Stream write error");
  EXPECT_FALSE(FileExists("S:\\big.bin"));
  EXPECT_FALSE(FileExists(PartialCopyName("S:\\big.bin")));
  // The space is free again: the same copy of a file that fits succeeds.
  e2e::WriteFile(folder.Path("fits.bin"), Pattern(200000));
  EXPECT_EQ(CopyFailure(folder.Path("fits.bin"), "S:\\big.bin"), "");
  EXPECT_EQ(e2e::ReadAll("S:\\big.bin"), Pattern(200000));
  DeleteFileA("S:\\big.bin");
}

// The copy is written under its partial name and renamed when whole: a partial copy left by
// an ended run is replaced, and an existing target stays as it was until the new one is whole.
TEST(CopyFileContents, PartialCopyOfAnEndedRunIsReplacedAndTheTargetKeptUntilWhole) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("a.bin"), Pattern(100000));
  e2e::WriteFile(folder.Path("copy.bin.$$$"), "cut off");
  EXPECT_EQ(PartialCopyName(folder.Path("copy.bin")), folder.Path("copy.bin.$$$"));
  EXPECT_EQ(CopyFailure(folder.Path("a.bin"), folder.Path("copy.bin")), "");
  EXPECT_EQ(e2e::ReadAll(folder.Path("copy.bin")), Pattern(100000));
  EXPECT_EQ(FolderNames(folder), (std::set<std::string>{"a.bin", "copy.bin"}));

  // A source that cannot be read leaves the existing target untouched.
  HANDLE holder = CreateFileA(folder.Path("a.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_NE(CopyFailure(folder.Path("a.bin"), folder.Path("copy.bin")), "");
  CloseHandle(holder);
  EXPECT_EQ(e2e::ReadAll(folder.Path("copy.bin")), Pattern(100000));
  EXPECT_EQ(FolderNames(folder), (std::set<std::string>{"a.bin", "copy.bin"}));
}

// A name with a NUL byte names nothing, although the part before it does.
TEST(Files, NameWithANulByteNamesNothing) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("file.txt"), "x");
  e2e::MakeFolders(folder.Path("sub"));
  EXPECT_FALSE(FileExists(folder.Path("file.txt") + std::string("\0junk", 5)));
  EXPECT_FALSE(FolderExists(folder.Path("sub") + std::string("\0", 1)));
  EXPECT_FALSE(FolderExists(folder.Path() + std::string("\0", 1)));
  int listed = 0;
  ListFolder(folder.Path() + std::string("\0\\*.*", 5), kEveryEntryMask,
             [&](const ListedEntry&) { ++listed; });
  EXPECT_EQ(listed, 0);
  EXPECT_EQ(CopyFailure(folder.Path("file.txt") + std::string("\0x", 2), folder.Path("copy.txt"))
                .rfind("Cannot open file \"", 0),
            0u);
  EXPECT_FALSE(FileExists(folder.Path("copy.txt")));
}

TEST(Files, ExistsTestsTellFilesFromFolders) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("file.txt"), "x");
  e2e::MakeFolders(folder.Path("sub"));
  EXPECT_TRUE(FileExists(folder.Path("file.txt")));
  EXPECT_FALSE(FolderExists(folder.Path("file.txt")));
  EXPECT_FALSE(FileExists(folder.Path("sub")));
  EXPECT_TRUE(FolderExists(folder.Path("sub")));
  EXPECT_FALSE(FileExists(folder.Path("none")));
  EXPECT_FALSE(FolderExists(folder.Path("none")));
  EXPECT_TRUE(FileExists(folder.Path("FILE.TXT")));  // letter case does not matter
}

TEST(Files, ListingMaskPassesOverHiddenSystemAndFolderEntries) {
  e2e::ScratchFolder folder;
  e2e::MakeEntries(folder.Path(), {{"plain.txt", "12345"},
                                   {"hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN},
                                   {"system.txt", "x", FILE_ATTRIBUTE_SYSTEM},
                                   {"sub\\"},
                                   {"hidden-sub\\", "", FILE_ATTRIBUTE_HIDDEN}});
  auto names = [&](uint32_t mask) {
    std::set<std::string> found;
    ListFolder(folder.Path("*.*"), mask, [&](const ListedEntry& entry) {
      if (entry.name == "plain.txt") {
        EXPECT_EQ(entry.size, 5u);
      }
      found.insert(entry.name);
    });
    return found;
  };
  using Names = std::set<std::string>;
  EXPECT_EQ(names(0), (Names{"plain.txt"}));
  EXPECT_EQ(names(16), (Names{".", "..", "plain.txt", "sub"}));
  EXPECT_EQ(names(2), (Names{"plain.txt", "hidden.txt"}));
  EXPECT_EQ(names(63),
            (Names{".", "..", "plain.txt", "hidden.txt", "system.txt", "sub", "hidden-sub"}));
}

// Names reach the system as code page 1256 text under any ANSI code page: a Persian file is
// created, found, listed and copied under its Persian name, as the wide functions see it. A
// name that code page 1256 cannot spell is listed escaped, and under that name it is found,
// read and copied to a target of its own long name, never by a name with "?", which would
// match other files.
TEST(Files, NamesAreCodePage1256AndOtherScriptsKeepTheirLongName) {
  e2e::ScratchFolder folder;
  const std::string persian = "\xCF\xDD\xCA\xD1 \x90\xD2\xC7\xD1\xD4";  // دفتر گزارش
  const std::wstring persianWide = L"\u062F\u0641\u062A\u0631 \u06AF\u0632\u0627\u0631\u0634";
  ASSERT_TRUE(CreateFolder(folder.Path(persian)));
  e2e::MakeFolders(folder.Path(persian + "\\copies"));
  e2e::WriteFile(folder.Path(persian + "\\" + persian + ".txt"), "fa");
  const std::wstring wideFolder = ToWide(folder.Path()) + L"\\" + persianWide;
  EXPECT_NE(GetFileAttributesW((wideFolder + L"\\" + persianWide + L".txt").c_str()),
            INVALID_FILE_ATTRIBUTES);
  const std::wstring chinese = L"\u6570\u636E.txt";  // 数据.txt
  HANDLE file = CreateFileW((wideFolder + L"\\" + chinese).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "zh", 2, &written, nullptr);
  CloseHandle(file);

  std::set<std::string> names;
  ListFolder(folder.Path(persian + "\\*.*"), 0,
             [&](const ListedEntry& entry) { names.insert(entry.name); });
  const std::string listed = FromWide(chinese);
  EXPECT_EQ(names, (std::set<std::string>{persian + ".txt", listed}));
  EXPECT_EQ(listed.find('?'), std::string::npos) << listed;
  EXPECT_TRUE(FileExists(folder.Path(persian + "\\" + listed)));
  CopyFileContents(folder.Path(persian + "\\" + listed),
                   folder.Path(persian + "\\copies\\" + listed));
  file = CreateFileW((wideFolder + L"\\copies\\" + chinese).c_str(), GENERIC_READ, 0, nullptr,
                     OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "the copy has the long name";
  char copied[8] = "";
  DWORD got = 0;
  ReadFile(file, copied, sizeof copied, &got, nullptr);
  CloseHandle(file);
  EXPECT_EQ(std::string(copied, got), "zh");
  EXPECT_EQ(FullPath(folder.Path(persian + "\\" + listed)), folder.Path(persian + "\\" + listed));
}
