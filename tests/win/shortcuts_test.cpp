// Shortcuts and the uninstall entry, made through the real shell link class and registry.
// Each test gives its process a private current-user registry (HKEY_CURRENT_USER redirected
// to a scratch key), whose "Shell Folders" values point at scratch folders, so tests and
// programs running at the same time in the same Wine prefix never see each other's values.
// The uninstall keys, named after each test, are removed at the end.
#include "core/failure.h"
#include "core/names.h"
#include "setup/engine/shortcuts.h"
#include "tests/support/files.h"
#include "win/files.h"
#include "win/registry.h"
#include "win/text.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

namespace {

void SetValue(const char* name, DWORD type, const void* bytes, DWORD size) {
  HKEY handle;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(bytes), size);
  RegCloseKey(handle);
}

void SetString(const char* name, const std::string& text) {
  SetValue(name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

class ShortcutsTest : public testing::Test {
 protected:
  e2e::ScratchFolder folder_;
  std::string program_ =
      std::string("EngineTest.") + testing::UnitTest::GetInstance()->current_test_info()->name();
  std::string privateUser_ = "Software\\" + program_ + ".User";
  HKEY privateUserKey_ = nullptr;
  std::string install_ = folder_.Path("Product");

  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, privateUser_.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &privateUserKey_, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, privateUserKey_), ERROR_SUCCESS);
    // Wine's shell fills "Shell Folders" the first time a process sets a link's path; that
    // is made to happen now, before the test sets the values.
    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    link->SetPath(L"C:\\windows\\notepad.exe");
    link->Release();
    e2e::MakeFolders(folder_.Path("Desktop"));
    e2e::MakeFolders(folder_.Path("Start Menu"));
    e2e::MakeFolders(folder_.Path("Start Menu\\Programs"));
    SetString(kDesktopValue, folder_.Path("Desktop"));
    SetString(kStartMenuValue, folder_.Path("Start Menu"));
  }
  void TearDown() override {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (privateUserKey_) RegCloseKey(privateUserKey_);
    Registry(HKEY_CURRENT_USER).DeleteKey(privateUser_);
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

  // The uninstall entry's four values, as the wide functions read them (the list of
  // installed programs reads them so), in code page 1256; each must be a plain string. On
  // 64-bit Windows that list reads a 32-bit installer's entry from the 32-bit registry view
  // (Wow6432Node) and a 64-bit one's from the 64-bit view: the view of this program's bitness.
  std::vector<std::string> UninstallValues(bool otherView = false) {
    const bool view64 = (sizeof(void*) == 8) != otherView;
    std::vector<std::string> values;
    HKEY handle;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ToWide(UninstallKey(program_)).c_str(), 0,
                      KEY_READ | (view64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY),
                      &handle) != ERROR_SUCCESS)
      return values;
    for (const wchar_t* name : {L"UninstallString", L"DisplayName", L"Publisher", L"Author"}) {
      wchar_t data[1024] = {};
      DWORD type = 0, size = sizeof data;
      if (RegQueryValueExW(handle, name, nullptr, &type, (BYTE*)data, &size) != ERROR_SUCCESS)
        continue;
      EXPECT_EQ(type, DWORD(REG_SZ)) << name;
      EXPECT_EQ(size, (wcslen(data) + 1) * sizeof(wchar_t)) << name;
      values.push_back(FromWide(data));
    }
    RegCloseKey(handle);
    return values;
  }
};

// A saved link's target and working folder, read back through the shell link class's wide
// interface, in code page 1256.
struct Link {
  std::string path, workingFolder;
};
Link ReadLink(const std::string& file) {
  Link link{"<unreadable>", ""};
  IShellLinkW* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shellLink))))
    return link;
  IPersistFile* persist = nullptr;
  shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  if (persist && SUCCEEDED(persist->Load(ToWide(file).c_str(), STGM_READ))) {
    // The target as the shell resolves it: the shell item of an existing target, which
    // keeps its Unicode name (Wine keeps the bare path in the ANSI code page only), else the
    // path as set.
    wchar_t buffer[MAX_PATH] = {};
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(shellLink->GetIDList(&items)) && items) {
      SHGetPathFromIDListW(items, buffer);
      CoTaskMemFree(items);
    }
    if (!buffer[0]) shellLink->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    link.path = FromWide(buffer);
    buffer[0] = 0;
    shellLink->GetWorkingDirectory(buffer, MAX_PATH);
    link.workingFolder = FromWide(buffer);
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
  EXPECT_EQ(UninstallValues(), (std::vector<std::string>{install_ + "\\Uninstall.exe", program_,
                                                         "Selvara Organization", "Tovenar"}));
  EXPECT_TRUE(UninstallValues(true).empty());
}

// Persian names under any ANSI code page: the shortcut files, their target and working
// folder, the uninstall key and its values carry the Persian letters, as the shell and the
// list of installed programs read them by the wide functions.
TEST_F(ShortcutsTest, PersianNamesReachTheShellAndTheRegistryAsPersian) {
  const std::string persian = "\xCF\xDD\xCA\xD1 \x90\xD2\xC7\xD1\xD4";  // دفتر گزارش
  const std::wstring persianWide = L"\u062F\u0641\u062A\u0631 \u06AF\u0632\u0627\u0631\u0634";
  install_ = folder_.Path(persian);
  program_ += persian;
  // An existing target, as after an installation: the link holds it as a shell item.
  e2e::MakeFolders(install_);
  e2e::WriteFile(install_ + "\\" + program_ + ".EXE", "");
  ASSERT_EQ(Run(persian), "");
  const std::wstring desktopLink = ToWide(folder_.Path("Desktop\\")) + persianWide + L".lnk";
  EXPECT_NE(GetFileAttributesW(desktopLink.c_str()), INVALID_FILE_ATTRIBUTES);
  Link link = ReadLink(FromWide(desktopLink));
  EXPECT_EQ(ToWide(link.path), ToWide(install_ + "\\" + program_ + ".EXE"));
  EXPECT_EQ(ToWide(link.workingFolder), ToWide(folder_.Path()) + L"\\" + persianWide);
  EXPECT_TRUE(FileExists(folder_.Path("Start Menu\\programs\\Selvara\\" + persian + ".lnk")));
  HKEY entry;
  const std::wstring key = ToWide(UninstallKey("EngineTest.")) +
                           L"PersianNamesReachTheShellAndTheRegistryAsPersian" + persianWide;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &entry), ERROR_SUCCESS);
  RegCloseKey(entry);
  const std::vector<std::string> values = UninstallValues();
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(ToWide(values[1]),
            L"EngineTest.PersianNamesReachTheShellAndTheRegistryAsPersian" + persianWide);
}

TEST_F(ShortcutsTest, ReinstallationReplacesShortcutsAndValuesAndKeepsOtherValues) {
  ASSERT_EQ(Run("Viewer", "Other Group"), "");
  Registry entry(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(entry.Open(UninstallKey(program_)));
  entry.WriteString("DisplayIcon", "kept");
  entry.WriteString("DisplayName", "overwritten");
  entry.Close();

  install_ = folder_.Path("Elsewhere");
  ASSERT_EQ(Run("Viewer", "Other Group"), "");  // the group folder exists now and is reused
  EXPECT_EQ(ReadLink(folder_.Path("Desktop\\Viewer.lnk")).path,
            install_ + "\\" + program_ + ".EXE");
  EXPECT_EQ(ReadLink(folder_.Path("Start Menu\\programs\\Other Group\\Viewer.lnk")).workingFolder,
            install_);
  EXPECT_EQ(UninstallValues(), (std::vector<std::string>{install_ + "\\Uninstall.exe", program_,
                                                         "Selvara Organization", "Tovenar"}));
  ASSERT_TRUE(entry.Open(UninstallKey(program_)));
  EXPECT_EQ(entry.ReadString("DisplayIcon"), "kept");
}

TEST_F(ShortcutsTest, GroupFolderIsCreatedOneLevelDeepOnly) {
  e2e::RemoveTree(folder_.Path("Start Menu\\Programs"));
  EXPECT_EQ(Run("Viewer"), "");
  EXPECT_FALSE(FolderExists(folder_.Path("Start Menu\\programs")));
  EXPECT_TRUE(FileExists(folder_.Path("Desktop\\Viewer.lnk")));
  EXPECT_EQ(UninstallValues().size(), 4u);
}

TEST_F(ShortcutsTest, ShortcutThatCannotBeSavedIsNotReported) {
  SetString(kDesktopValue, folder_.Path("No Such Desktop"));
  EXPECT_EQ(Run("Viewer"), "");
  EXPECT_FALSE(FolderExists(folder_.Path("No Such Desktop")));
  EXPECT_TRUE(FileExists(folder_.Path("Start Menu\\programs\\Selvara\\Viewer.lnk")));
  EXPECT_EQ(UninstallValues().size(), 4u);
}

// Without a "Desktop" value the shortcut's path begins with "\": the root of the current drive.
TEST_F(ShortcutsTest, MissingDesktopValueSavesInTheCurrentDrivesRoot) {
  HKEY handle;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_ALL_ACCESS, &handle),
            ERROR_SUCCESS);
  RegDeleteValueA(handle, kDesktopValue);
  RegCloseKey(handle);
  const std::string name = program_;  // unique to this test
  const std::string inRoot = "C:\\" + name + ".lnk";
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.Path().c_str()));  // current drive C:
  EXPECT_EQ(Run(name), "");
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(FileExists(inRoot));
  EXPECT_EQ(ReadLink(inRoot).path, install_ + "\\" + program_ + ".EXE");
  DeleteFileA(inRoot.c_str());
}

TEST_F(ShortcutsTest, DesktopValueOfAnotherTypeFailsAfterTheUninstallEntry) {
  DWORD number = 5;
  SetValue(kDesktopValue, REG_DWORD, &number, sizeof number);
  EXPECT_EQ(Run("Viewer"), "Invalid data type for 'Desktop'");
  EXPECT_FALSE(FileExists(folder_.Path("Start Menu\\programs\\Selvara\\Viewer.lnk")));
  EXPECT_EQ(UninstallValues(), (std::vector<std::string>{install_ + "\\Uninstall.exe", program_,
                                                         "Selvara Organization", "Tovenar"}));
}

TEST_F(ShortcutsTest, StartMenuValueOfAnotherTypeFailsAfterTheDesktopShortcut) {
  SetValue(kStartMenuValue, REG_BINARY, "\x01\x02", 2);
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
