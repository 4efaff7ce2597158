// The uninstaller's Win32 pieces against Wine's real shell, file system and registry: the
// recycle-bin delete, temporary names, whole-file writes, the protected folders and the
// removal script.
#include "core/failure.h"
#include "core/removal.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "win/files.h"
#include "win/shell_delete.h"
#include "win/system_folders.h"
#include "win/temp_files.h"
#include "win/text.h"
#include "uninstall/removal.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>

namespace {

bool Exists(const std::string& path) {
  return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh folder of this test below the temporary folder.
std::string TestFolder(const std::string& name) {
  const std::string folder = TempFolderPath() + "win-" + name;
  if (Exists(folder)) ShellDeletePath(folder);
  CreateFolder(folder);
  return folder;
}

// Names of the recycle bin's entries whose original path ends as given (blanks as %20).
bool TrashHolds(const std::string& unixTail) {
  char home[MAX_PATH] = "";
  GetEnvironmentVariableA("XDG_DATA_HOME", home, sizeof home);
  std::string info = std::string("Z:") + home + "/Trash/info/";
  std::replace(info.begin(), info.end(), '/', '\\');
  bool found = false;
  ListFolder(info + "*.trashinfo", 63, [&](const ListedEntry& entry) {
    HANDLE file = CreateFileA((info + entry.name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    char text[8192] = "";
    DWORD got = 0;
    ReadFile(file, text, sizeof text - 1, &got, nullptr);
    CloseHandle(file);
    std::string content(text, got);
    size_t end = content.find('\n', content.find("Path="));
    if (end != std::string::npos && end >= unixTail.size() &&
        content.compare(end - unixTail.size(), unixTail.size(), unixTail) == 0)
      found = true;
  });
  return found;
}

class TempVariable {
 public:
  explicit TempVariable(const std::string& folder) {
    GetEnvironmentVariableW(L"TMP", saved_, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", ToWide(folder).c_str());
  }
  ~TempVariable() { SetEnvironmentVariableW(L"TMP", saved_[0] ? saved_ : nullptr); }

 private:
  wchar_t saved_[MAX_PATH] = L"";
};

}  // namespace

// A file whose path is longer than 254 characters (the most a 256-byte request could hold)
// goes to the recycle bin, and so does a folder with read-only and hidden files; a relative
// path is taken against the current folder.
TEST(ShellDeletePath, MovesFilesAndFoldersOfAnyLengthToTheRecycleBin) {
  const std::string folder = TestFolder("shell delete");
  std::string deep = folder + "\\long tree";
  CreateDirectoryA(deep.c_str(), nullptr);
  while (deep.size() < 200) {
    deep += "\\folder";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  }
  const std::string longFile = deep + "\\" + std::string(258 - deep.size() - 5, 'n') + ".txt";
  ASSERT_EQ(longFile.size(), 258u);
  WriteFileBytes(longFile, "long");
  EXPECT_TRUE(ShellDeletePath(longFile));
  EXPECT_FALSE(Exists(longFile));
  EXPECT_TRUE(TrashHolds("/folder/" + longFile.substr(deep.size() + 1)));

  WriteFileBytes(deep + "\\file.txt", "deep");
  WriteFileBytes(folder + "\\long tree\\marked.txt", "marked");
  SetFileAttributesA((folder + "\\long tree\\marked.txt").c_str(),
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(ShellDeletePath(folder + "\\long tree"));
  EXPECT_FALSE(Exists(folder + "\\long tree"));
  EXPECT_TRUE(TrashHolds("/win-shell%20delete/long%20tree"));

  WriteFileBytes(folder + "\\relative.txt", "x");
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  SetCurrentDirectoryA(folder.c_str());
  EXPECT_TRUE(ShellDeletePath("relative.txt"));
  SetCurrentDirectoryA(current);
  EXPECT_FALSE(Exists(folder + "\\relative.txt"));
  EXPECT_TRUE(TrashHolds("/win-shell%20delete/relative.txt"));
}

TEST(NewTempFileName, ReservesAnEmptyTmpFileAndGivesItsNameWithTheExtension) {
  const std::string folder = TestFolder("temp names") + "\\";
  TempVariable temp(folder);
  ASSERT_EQ(TempFolderPath(), folder);
  const std::string script = NewTempFileName(".bat");
  EXPECT_EQ(script.substr(0, folder.size() + 3), folder + "uis");
  EXPECT_EQ(script.substr(script.size() - 4), ".bat");
  EXPECT_FALSE(Exists(script));
  const std::string reserved = ReplaceExtension(script, ".tmp");
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExA(reserved.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0u);
  EXPECT_NE(NewTempFileName(".bat"), script);
}

TEST(NewTempFileName, MissingTemporaryFolderFails) {
  const std::string missing = TestFolder("temp missing") + "\\nothing here\\";
  TempVariable temp(missing);
  try {
    NewTempFileName(".bat");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(std::string(failure.what()).rfind("Cannot create file \"" + missing + "\". ", 0), 0u)
        << failure.what();
  }
}

TEST(WriteFileBytes, WritesExactlyTheBytesAndFailsInAMissingFolder) {
  const std::string folder = TestFolder("write bytes");
  const std::string file = folder + "\\script.bat";
  WriteFileBytes(file, "old content that is longer");
  WriteFileBytes(file, std::string("a\r\nb\0c", 6));
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 6u);
  EXPECT_THROW(WriteFileBytes(folder + "\\missing\\script.bat", "x"), Failure);
}

// The system's own folders are all named, and a short (8.3) spelling of one of them is
// recognised once written long.
TEST(ProtectedFolders, NameTheSystemsAndTheUsersFolders) {
  const std::vector<std::string> folders = ProtectedFolders();
  auto named = [&](const std::string& folder) {
    return IsProtectedFolder(folder, folders) &&
           std::find_if(folders.begin(), folders.end(), [&](const std::string& each) {
             return lstrcmpiA((each + "\\").c_str(), (folder + "\\").c_str()) == 0 ||
                    lstrcmpiA(each.c_str(), folder.c_str()) == 0;
           }) != folders.end();
  };
  char path[MAX_PATH];
  GetWindowsDirectoryA(path, MAX_PATH);
  EXPECT_TRUE(named(path)) << path;
  GetSystemDirectoryA(path, MAX_PATH);
  EXPECT_TRUE(named(path)) << path;
  for (int folder : {CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTMENU, CSIDL_PROGRAMS,
                     CSIDL_PERSONAL, CSIDL_PROGRAM_FILES, CSIDL_FONTS}) {
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, folder, nullptr, 0, path)));
    EXPECT_TRUE(named(path)) << path;
  }

  SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, path);
  char shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameA(path, shortPath, MAX_PATH), 0u);
  EXPECT_TRUE(IsProtectedFolder(LongFullPath(std::string(shortPath) + "\\"), folders)) << shortPath;
  EXPECT_FALSE(IsProtectedFolder(LongFullPath(std::string(path) + "\\Acme Tools"), folders));
}

// A link anywhere on a path is found, and the final path resolves it; short names are
// written long.
TEST(FinalPath, ResolvesLinksAndShortNamesAndTheLinksAreFound) {
  e2e::ScratchFolder folder;
  e2e::MakeFolders(folder.Path("Real Folder"));
  e2e::MakeFolders(folder.Path("Real Folder\\Sub"));
  if (!e2e::MakeLink(folder.Path("Link"), folder.Path("Real Folder")))
    GTEST_SKIP() << "no symbolic links here";
  EXPECT_FALSE(HasLinkOnPath(folder.Path("Real Folder\\Sub")));
  EXPECT_FALSE(HasLinkOnPath(folder.Path("Real Folder\\Sub\\")));
  EXPECT_FALSE(HasLinkOnPath(folder.Path("Real Folder\\missing")));
  for (const char* path :
       {"Link", "Link\\", "Link\\Sub", "Link\\Sub\\missing", "Real Folder\\..\\Link"})
    EXPECT_TRUE(HasLinkOnPath(folder.Path(path))) << path;
  EXPECT_TRUE(SameFolder(FinalPath(folder.Path("Link\\Sub")), folder.Path("Real Folder\\Sub")))
      << FinalPath(folder.Path("Link\\Sub"));
  char shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameA(folder.Path("Real Folder").c_str(), shortPath, MAX_PATH), 0u);
  EXPECT_TRUE(SameFolder(FinalPath(shortPath), folder.Path("Real Folder"))) << shortPath;
  EXPECT_EQ(FinalPath(folder.Path("missing")), folder.Path("missing"));
}

// The removal script run by the command interpreter: while the uninstaller's file is held
// open it keeps trying, a second apart; once the file is free it deletes it, removes the
// emptied folder (blanks and "%" in its name) and itself.
TEST(RemovalScript, WaitsForTheFileThenRemovesFolderAndItself) {
  const std::string base = TestFolder("script run");
  const std::string folder = base + "\\Acme 100% Tools";
  const std::string temp = base + "\\temp with blank";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA(temp.c_str(), nullptr);
  const std::string self = folder + "\\uninstall.exe";
  WriteFileBytes(self, "running program");
  HANDLE held = CreateFileA(self.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::string script = temp + "\\uis1.bat";
  WriteFileBytes(script, RemovalScript(self, script));
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  SetCurrentDirectoryA(temp.c_str());
  ASSERT_GT(WinExec(RemovalScriptCommand(script).c_str(), SW_HIDE), 31u);
  SetCurrentDirectoryA(current);

  Sleep(2500);
  EXPECT_TRUE(Exists(self));
  EXPECT_TRUE(Exists(script)) << "the script gave up while the file was held";
  CloseHandle(held);
  EXPECT_TRUE(e2e::WaitChildrenGone(GetCurrentProcessId(), 90000)) << "the script still runs";
  EXPECT_FALSE(Exists(self));
  EXPECT_FALSE(Exists(folder));
  EXPECT_FALSE(Exists(script));
  EXPECT_TRUE(Exists(temp));
}

// A file that never comes free: after its last try the script still removes what it can
// (the folder is not empty, so it stays) and deletes itself.
TEST(RemovalScript, GivesUpAfterItsTriesAndStillDeletesItself) {
  const std::string folder = TestFolder("script gives up");
  const std::string self = folder + "\\uninstall.exe";
  WriteFileBytes(self, "never free");
  HANDLE held = CreateFileA(self.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::string script = TempFolderPath() + "win-script-gives-up.bat";
  WriteFileBytes(script, RemovalScript(self, script, 3));
  DWORD start = GetTickCount();
  ASSERT_GT(WinExec(RemovalScriptCommand(script).c_str(), SW_HIDE), 31u);
  EXPECT_TRUE(e2e::WaitChildrenGone(GetCurrentProcessId(), 90000)) << "the script still runs";
  DWORD took = GetTickCount() - start;
  CloseHandle(held);
  EXPECT_FALSE(Exists(script));
  EXPECT_GE(took, 1800u) << "no pause between the three tries";
  EXPECT_TRUE(Exists(self));
  EXPECT_TRUE(Exists(folder));
}

// The uninstaller's script for a Persian install folder, written into a Persian temporary
// folder: the command interpreter reads it in the OEM code page (437 here, which spells no
// Persian letter; 720 lacks گ and پ), so its paths are spelled there or by short names. It
// deletes the uninstaller, removes the folder and itself.
TEST(RemovalScript, RemovesAPersianFolderFromAPersianTemporaryFolder) {
  const std::string base = TestFolder("script persian");
  const std::string folder = base + "\\حسابداري گزارش";
  const std::string temp = base + "\\موقت پرداخت";
  ASSERT_TRUE(CreateFolder(folder));
  ASSERT_TRUE(CreateFolder(temp));
  const std::string self = folder + "\\Uninstall.exe";
  WriteFileBytes(self, "program");
  const std::string current = CurrentFolder();
  std::string script;
  {
    TempVariable variable(temp);
    script = WriteRemovalScript(self);
  }
  EXPECT_EQ(script.substr(0, temp.size() + 1), temp + "\\");
  EXPECT_EQ(CurrentFolder(), temp);
  StartRemovalScript(script);
  SetCurrentFolder(current);
  EXPECT_TRUE(e2e::WaitChildrenGone(GetCurrentProcessId(), 90000)) << "the script still runs";
  EXPECT_FALSE(Exists(folder));
  EXPECT_FALSE(Exists(script));
  EXPECT_TRUE(Exists(temp));
}
