// Shortcuts and the uninstall entry, made through the real shell link class and registry.
// The user's "Shell Folders" values are pointed at scratch folders for each test and put
// back afterwards, with the uninstall keys the tests made removed. Tests run as parallel
// processes in one Wine prefix, so a named mutex keeps those values to one test at a time.
#include "core/failure.h"
#include "core/names.h"
#include "setup/engine/shortcuts.h"
#include "tests/win/scratch.h"
#include "win/files.h"
#include "win/registry.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

namespace {

// One registry value exactly as stored (type and bytes), or its absence.
struct SavedValue {
  HKEY root;
  std::string key, name;
  bool present = false;
  DWORD type = 0;
  std::vector<BYTE> data;

  SavedValue(HKEY root, std::string key, std::string name)
      : root(root), key(std::move(key)), name(std::move(name)) {
    HKEY handle;
    if (RegOpenKeyExA(root, this->key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (RegQueryValueExA(handle, this->name.c_str(), nullptr, &type, nullptr, &size) ==
        ERROR_SUCCESS) {
      data.resize(size);
      present = RegQueryValueExA(handle, this->name.c_str(), nullptr, &type, data.data(),
                                 &size) == ERROR_SUCCESS;
    }
    RegCloseKey(handle);
  }
  void Set(DWORD newType, const void* bytes, DWORD size) const {
    HKEY handle;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    RegSetValueExA(handle, name.c_str(), 0, newType, static_cast<const BYTE*>(bytes), size);
    RegCloseKey(handle);
  }
  void SetString(const std::string& text) const {
    Set(REG_SZ, text.c_str(), (DWORD)text.size() + 1);
  }
  void Restore() const {
    if (present) {
      Set(type, data.data(), (DWORD)data.size());
    } else {
      HKEY handle;
      if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
      RegDeleteValueA(handle, name.c_str());
      RegCloseKey(handle);
    }
  }
};

// Held by every test that changes the user's shell folder values.
struct ShellFoldersLock {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "EngineTests.ShellFolders");
  ShellFoldersLock() { WaitForSingleObject(mutex, 60000); }
  ~ShellFoldersLock() {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
};

// Wine's shell copies "User Shell Folders" into "Shell Folders" the first time a process
// sets a link's path, so both are pointed at the scratch folders, and that first time is
// made to happen before a test changes them.
constexpr char kUserShellFoldersKey[] =
    "Software\\Microsoft\\windows\\CurrentVersion\\Explorer\\User Shell Folders";

class ShortcutsTest : public testing::Test {
 protected:
  ShellFoldersLock lock_;
  ScratchFolder folder_;
  SavedValue desktop_{HKEY_CURRENT_USER, kShellFoldersKey, kDesktopValue};
  SavedValue startMenu_{HKEY_CURRENT_USER, kShellFoldersKey, kStartMenuValue};
  SavedValue userDesktop_{HKEY_CURRENT_USER, kUserShellFoldersKey, kDesktopValue};
  SavedValue userStartMenu_{HKEY_CURRENT_USER, kUserShellFoldersKey, kStartMenuValue};
  std::string program_ = std::string("EngineTest.") +
                         testing::UnitTest::GetInstance()->current_test_info()->name();
  std::string install_ = folder_.Path("Product");

  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    IShellLinkA* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkA, reinterpret_cast<void**>(&link))));
    link->SetPath("C:\\windows\\notepad.exe");
    link->Release();
    MakeFolder(folder_.Path("Desktop"));
    MakeFolder(folder_.Path("Start Menu"));
    MakeFolder(folder_.Path("Start Menu\\Programs"));
    for (const SavedValue* value : {&desktop_, &userDesktop_}) value->SetString(folder_.Path("Desktop"));
    for (const SavedValue* value : {&startMenu_, &userStartMenu_})
      value->SetString(folder_.Path("Start Menu"));
  }
  void TearDown() override {
    for (const SavedValue* value : {&desktop_, &startMenu_, &userDesktop_, &userStartMenu_})
      value->Restore();
    Registry(HKEY_LOCAL_MACHINE).DeleteKey(UninstallKey(program_));
    CoUninitialize();
  }

  std::string Run(const std::string& shortcutName, const std::string& menuGroup = "Selvara") {
    try {
      CreateShortcutsAndUninstallEntry(install_, program_, shortcutName, menuGroup);
    } catch (const Failure& failure) {
      return failure.what();
    }
    return "";
  }

  // The uninstall entry's four values; each must be a plain string.
  std::vector<std::string> UninstallValues() {
    std::vector<std::string> values;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey(program_).c_str(), 0, KEY_READ,
                      &handle) != ERROR_SUCCESS)
      return values;
    for (const char* name : {"UninstallString", "DisplayName", "Publisher", "Author"}) {
      char data[1024] = {};
      DWORD type = 0, size = sizeof data;
      if (RegQueryValueExA(handle, name, nullptr, &type, (BYTE*)data, &size) != ERROR_SUCCESS)
        continue;
      EXPECT_EQ(type, DWORD(REG_SZ)) << name;
      EXPECT_EQ(size, strlen(data) + 1) << name;
      values.push_back(data);
    }
    RegCloseKey(handle);
    return values;
  }
};

// A saved link's target and working folder, read back through the shell link class.
struct Link {
  std::string path, workingFolder;
};
Link ReadLink(const std::string& file) {
  Link link{"<unreadable>", ""};
  IShellLinkA* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shellLink))))
    return link;
  IPersistFile* persist = nullptr;
  shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  if (persist && SUCCEEDED(persist->Load(wide, STGM_READ))) {
    char buffer[MAX_PATH] = {};
    shellLink->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    link.path = buffer;
    buffer[0] = 0;
    shellLink->GetWorkingDirectory(buffer, MAX_PATH);
    link.workingFolder = buffer;
  }
  if (persist) persist->Release();
  shellLink->Release();
  return link;
}

}  // namespace

TEST_F(ShortcutsTest, SavesBothShortcutsAndRegistersTheUninstaller) {
  EXPECT_EQ(Run("Tools\\Viewer"), "");
  const std::string target = install_ + "\\" + program_ + ".EXE";
  for (const std::string& file : {folder_.Path("Desktop\\Viewer.lnk"),
                                  folder_.Path("Start Menu\\programs\\Selvara\\Viewer.lnk")}) {
    SCOPED_TRACE(file);
    Link link = ReadLink(file);
    EXPECT_EQ(link.path, target);
    EXPECT_EQ(link.workingFolder, install_);
  }
  EXPECT_EQ(UninstallValues(),
            (std::vector<std::string>{install_ + "\\Uninstall.exe", program_,
                                      "Selvara Organization", "Tovenar"}));
}

TEST_F(ShortcutsTest, ReinstallationReplacesShortcutsAndValuesAndKeepsOtherValues) {
  ASSERT_EQ(Run("Viewer", "Other Group"), "");
  Registry entry(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(entry.Open(UninstallKey(program_), false));
  entry.WriteString("DisplayIcon", "kept");
  entry.WriteString("DisplayName", "overwritten");
  entry.Close();

  install_ = folder_.Path("Elsewhere");
  ASSERT_EQ(Run("Viewer", "Other Group"), "");  // the group folder exists now and is reused
  EXPECT_EQ(ReadLink(folder_.Path("Desktop\\Viewer.lnk")).path, install_ + "\\" + program_ + ".EXE");
  EXPECT_EQ(ReadLink(folder_.Path("Start Menu\\programs\\Other Group\\Viewer.lnk")).workingFolder,
            install_);
  EXPECT_EQ(UninstallValues(),
            (std::vector<std::string>{install_ + "\\Uninstall.exe", program_,
                                      "Selvara Organization", "Tovenar"}));
  ASSERT_TRUE(entry.Open(UninstallKey(program_), false));
  EXPECT_EQ(entry.ReadString("DisplayIcon"), "kept");
}

TEST_F(ShortcutsTest, GroupFolderIsCreatedOneLevelDeepOnly) {
  RemoveTree(folder_.Path("Start Menu\\Programs"));
  EXPECT_EQ(Run("Viewer"), "");
  EXPECT_FALSE(FolderExists(folder_.Path("Start Menu\\programs")));
  EXPECT_TRUE(FileExists(folder_.Path("Desktop\\Viewer.lnk")));
  EXPECT_EQ(UninstallValues().size(), 4u);
}

TEST_F(ShortcutsTest, DesktopValueOfAnotherTypeFailsAfterTheUninstallEntry) {
  DWORD number = 5;
  desktop_.Set(REG_DWORD, &number, sizeof number);
  EXPECT_EQ(Run("Viewer"), "Invalid data type for 'Desktop'");
  EXPECT_FALSE(FileExists(folder_.Path("Start Menu\\programs\\Selvara\\Viewer.lnk")));
  EXPECT_EQ(UninstallValues(),
            (std::vector<std::string>{install_ + "\\Uninstall.exe", program_,
                                      "Selvara Organization", "Tovenar"}));
}

TEST_F(ShortcutsTest, StartMenuValueOfAnotherTypeFailsAfterTheDesktopShortcut) {
  startMenu_.Set(REG_BINARY, "\x01\x02", 2);
  EXPECT_EQ(Run("Viewer"), "Invalid data type for 'Start Menu'");
  EXPECT_TRUE(FileExists(folder_.Path("Desktop\\Viewer.lnk")));
  EXPECT_EQ(UninstallValues().size(), 4u);
}

// A product name too long for a registry key: the entry cannot be created, the first write
// names "UninstallString", and the shortcuts are there all the same.
TEST_F(ShortcutsTest, UninstallKeyThatCannotBeCreatedFailsOnTheFirstValue) {
  program_ = std::string(300, 'P');
  EXPECT_EQ(Run("Viewer"), "Failed to set data for 'UninstallString'");
  EXPECT_TRUE(FileExists(folder_.Path("Desktop\\Viewer.lnk")));
  EXPECT_TRUE(FileExists(folder_.Path("Start Menu\\programs\\Selvara\\Viewer.lnk")));
  EXPECT_TRUE(UninstallValues().empty());
}

// Without COM on the thread the link object cannot be made: the system's text for that,
// and neither shortcuts nor the uninstall entry.
TEST_F(ShortcutsTest, LinkObjectThatCannotBeCreatedStopsBeforeAnything) {
  CoUninitialize();
  IUnknown* object = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(&object)),
            CO_E_NOTINITIALIZED);
  EXPECT_EQ(Run("Viewer"), SystemErrorText((unsigned long)CO_E_NOTINITIALIZED));
  EXPECT_FALSE(FileExists(folder_.Path("Desktop\\Viewer.lnk")));
  EXPECT_TRUE(UninstallValues().empty());
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}
