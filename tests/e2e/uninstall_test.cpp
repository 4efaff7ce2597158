// The uninstaller end to end: a product prepared as the installer leaves it (install folder
// with its files, INSTALL.CFG and Uninstall.exe, the uninstall entry, the desktop and group
// shortcuts), then the real uninstaller started from the install folder, as the list of
// installed programs starts it, and driven like a user.
// The test driver runs only under Wine, which has the registry's tree delete of later Windows.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "core/texts.h"
#include "tests/support/driver.h"
#include "tests/support/medium.h"
#include "uninstall/controls.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

namespace {

using e2e::Exists;
using e2e::MakeFolders;
using e2e::Names;
using e2e::WaitUntil;

const char kUninstallKeys[] = "Software\\Microsoft\\windows\\CurrentVersion\\uninstall\\";

// The suite runs under two code pages at once, each in its own prefix, but both prefixes
// keep their desktop in the same home folder: names that reach the desktop carry the code page.
std::string Named(const std::string& base) { return base + std::to_string(GetACP()); }

std::string ShellFolder(const char* name) {
  char value[MAX_PATH] = "";
  DWORD size = sizeof value;
  RegGetValueA(HKEY_CURRENT_USER,
               "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
               RRF_RT_REG_SZ, nullptr, value, &size);
  return value;
}

std::string GroupFolder() { return ShellFolder("Start Menu") + "\\programs\\selvara"; }

void WriteUninstallEntry(const std::string& program, const std::string& uninstallString) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (kUninstallKeys + program).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "UninstallString", 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(uninstallString.c_str()),
                 (DWORD)uninstallString.size() + 1);
  RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(program.c_str()),
                 (DWORD)program.size() + 1);
  HKEY sub;
  RegCreateKeyExA(key, "Extra", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr);
  RegCloseKey(sub);
  RegCloseKey(key);
}

bool EntryExists(const std::string& program) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kUninstallKeys + program).c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

std::string EntryValue(const std::string& program) {
  char value[MAX_PATH] = "";
  DWORD size = sizeof value;
  RegGetValueA(HKEY_LOCAL_MACHINE, (kUninstallKeys + program).c_str(), "UninstallString",
               RRF_RT_REG_SZ, nullptr, value, &size);
  return value;
}

void DeleteEntry(const std::string& program) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kUninstallKeys + program).c_str());
}

// What the installer leaves behind for one product. The record holds the first `lines` of
// eight lines (six are the record, two more must be ignored).
struct Installed {
  std::string program, folder, uninstaller, desktopLink, groupLink, otherGroupLink;
  std::vector<std::string> contents;  // install folder entries that go to the recycle bin
};

Installed Install(const std::string& folder, const std::string& program, int lines,
                  const std::string& uninstallerName = "Uninstall.exe",
                  DWORD uninstallerAttributes = FILE_ATTRIBUTE_NORMAL) {
  Installed product;
  product.program = program;
  product.folder = folder;
  e2e::RemoveTree(folder);
  MakeFolders(folder + "\\data\\deep");
  const std::string record[] = {
      texts::kUninstallTitle,          "Second line " + program,     "Acme",         program,
      "Tools\\" + program + " Viewer", "Organization of " + program, "seventh line", "eighth line"};
  std::string bytes;
  for (int i = 0; i < lines; ++i) bytes += record[i] + "\r\n";
  e2e::MakeEntries(folder, {{"INSTALL.CFG", bytes},
                            {program + ".EXE", "program " + program},
                            {"data\\deep\\notes.txt", "notes"},
                            {"Uninstall.exe.bak", "old uninstaller"},
                            {"Uninstall.bak", "old uninstaller"},
                            {"hidden.dat", "hidden.dat", FILE_ATTRIBUTE_HIDDEN},
                            {"system.dat", "system.dat", FILE_ATTRIBUTE_SYSTEM},
                            {"readonly.dat", "readonly.dat", FILE_ATTRIBUTE_READONLY}});
  product.contents = {"INSTALL.CFG",   program + ".EXE", "data",       "Uninstall.exe.bak",
                      "Uninstall.bak", "hidden.dat",     "system.dat", "readonly.dat"};
  product.uninstaller = folder + "\\" + uninstallerName;
  e2e::CopyFileTo(e2e::ProgramPath("uninstall.exe"), product.uninstaller);
  SetFileAttributesA(product.uninstaller.c_str(), uninstallerAttributes);
  WriteUninstallEntry(program, folder + "\\Uninstall.exe");

  const std::string link = program + " Viewer.lnk";
  product.desktopLink = ShellFolder("Desktop") + "\\" + link;
  MakeFolders(GroupFolder());
  product.groupLink = GroupFolder() + "\\" + link;
  product.otherGroupLink = GroupFolder() + "\\Other product.lnk";
  for (const std::string& path : {product.desktopLink, product.groupLink, product.otherGroupLink})
    e2e::WriteFile(path, "shortcut");
  return product;
}

// The original paths of what the recycle bin holds (Wine keeps it in $XDG_DATA_HOME/Trash,
// one .trashinfo file per item with its original Unix path, blanks written %20).
std::vector<std::string> TrashedPaths() {
  char home[MAX_PATH] = "";
  GetEnvironmentVariableA("XDG_DATA_HOME", home, sizeof home);
  const std::string info = e2e::WindowsPath(home) + "\\Trash\\info\\";
  std::vector<std::string> paths;
  for (const std::string& name : Names(info + "*.trashinfo")) {
    std::string text;
    e2e::ReadFile(info + name, &text);
    size_t at = text.find("Path=");
    if (at != std::string::npos) paths.push_back(text.substr(at + 5, text.find('\n', at) - at - 5));
  }
  return paths;
}

bool InTrash(const std::vector<std::string>& trashed, const std::string& windowsPath) {
  // C:\a b\c of this prefix is <prefix>/dosdevices/c:/a%20b/c (the other code page's run has
  // a prefix of its own but shares the recycle bin).
  char prefix[MAX_PATH] = "";
  GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  std::string expected = std::string(prefix) + "/dosdevices/c:";
  for (char c : windowsPath.substr(2))
    expected += c == '\\' ? std::string("/") : c == ' ' ? std::string("%20") : std::string(1, c);
  // Letter case may differ (the shell's folder is "Programs", the group path says "programs").
  for (const std::string& path : trashed)
    if (lstrcmpiA(path.c_str(), expected.c_str()) == 0) return true;
  return false;
}

// The temporary folder the uninstaller gets: TMP and TEMP of the processes this test starts.
void UseTempFolder(const std::string& folder) {
  SetEnvironmentVariableA("TMP", folder.c_str());
  SetEnvironmentVariableA("TEMP", folder.c_str());
}

// Answers the next message dialog of the program after checking its caption and text.
void AnswerNext(const e2e::Process& program, const char* caption, const std::wstring& text) {
  HWND dialog = e2e::WaitDialog(program);
  e2e::Answer(dialog, e2e::Wide1256(caption), text, L"OK");
  EXPECT_TRUE(!dialog || e2e::WaitGone(dialog));
}

// Starts the uninstaller, clicks its ok button and answers the one message it shows, after
// which it must end.
void RemoveAndAnswer(const std::string& uninstaller, const std::string& folder, const char* caption,
                     const char* text) {
  e2e::Process process(uninstaller, folder);
  HWND window = e2e::WaitWindow(process, "TForm1");
  ASSERT_TRUE(window);
  e2e::ClickControl(window, kUninstallOk);
  AnswerNext(process, caption, e2e::Wide1256(text));
  EXPECT_EQ(process.WaitExit(), 0);
}

}  // namespace

struct RemovalCase {
  const char* name;
  const char* folder;      // below C:
  const char* tempFolder;  // the temporary folder's name
  int recordLines;
  const char* uninstallerName;
  DWORD uninstallerAttributes;
};

void PrintTo(const RemovalCase& c, std::ostream* out) { *out << c.name; }

// How long the removal script may take before a test calls it stuck: far more than its own
// bound (its tries are about a second apart) needs on an idle machine, within the test's time.
const DWORD kScriptEndsWithin = 90000;

class Removal : public testing::TestWithParam<RemovalCase> {};

TEST_P(Removal, RemovesTheProductAndThenItself) {
  const RemovalCase& c = GetParam();
  e2e::SharedShellFoldersLock lock;
  const std::string temp = e2e::NewTestFolder(c.tempFolder);
  const std::string program = Named(std::string("Product") + c.name);
  Installed product = Install(std::string("C:\\") + c.folder, program, c.recordLines,
                              c.uninstallerName, c.uninstallerAttributes);
  const std::string elsewhere = e2e::NewTestFolder("uninstall-elsewhere");
  UseTempFolder(temp);
  e2e::Process uninstaller(product.uninstaller, elsewhere);
  HWND window = e2e::WaitWindow(uninstaller, "TForm1");
  ASSERT_TRUE(window);
  EXPECT_EQ(e2e::Text(e2e::Control(window, kUninstallTetr1)),
            e2e::Wide1256(texts::kUninstallTitle));
  EXPECT_EQ(e2e::Text(e2e::Control(window, kUninstallTetr2)),
            c.recordLines >= 2 ? e2e::Wide1256("Second line " + program) : L"");
  EXPECT_EQ(e2e::Text(e2e::Control(window, kUninstallTetr3)),
            c.recordLines >= 6 ? e2e::Wide1256("Organization of " + program) : L"");
  e2e::ClickControl(window, kUninstallOk);

  // The success message comes once the script is written and before it starts: the script
  // and the uninstaller's file are both still there while it is shown.
  HWND dialog = e2e::WaitDialog(uninstaller, 60000);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(Names(temp + "\\*.bat").size(), 1u);
  EXPECT_TRUE(Exists(product.uninstaller));
  e2e::Answer(dialog, L"Information", e2e::Wide1256(texts::kRemovalDone), L"OK");
  EXPECT_EQ(uninstaller.WaitExit(), 0);

  // The script's own bound (its tries about a second apart) ends it long before this one; a
  // busy machine only makes it slower.
  EXPECT_TRUE(e2e::WaitChildrenGone(uninstaller.id(), kScriptEndsWithin))
      << "the removal script still runs";
  EXPECT_FALSE(Exists(product.folder)) << "the install folder is still there: "
                                       << testing::PrintToString(Names(product.folder + "\\*"));
  EXPECT_TRUE(Names(temp + "\\*.bat").empty());
  // What stays in the temporary folder is the empty file that reserved the script's name.
  std::vector<std::string> left = Names(temp + "\\*");
  ASSERT_EQ(left.size(), 1u) << testing::PrintToString(left);
  EXPECT_EQ(left[0].substr(0, 3), "uis");
  EXPECT_EQ(left[0].substr(left[0].size() - 4), ".tmp");
  std::string tmpBytes = "x";
  e2e::ReadFile(temp + "\\" + left[0], &tmpBytes);
  EXPECT_EQ(tmpBytes, "");

  EXPECT_FALSE(EntryExists(program));
  // Without the record's fifth line the shortcuts' name is unknown: the desktop one stays.
  EXPECT_EQ(Exists(product.desktopLink), c.recordLines < 5);
  EXPECT_FALSE(Exists(GroupFolder()));
  const std::vector<std::string> trashed = TrashedPaths();
  for (const std::string& name : product.contents)
    EXPECT_TRUE(InTrash(trashed, product.folder + "\\" + name)) << name;
  EXPECT_FALSE(InTrash(trashed, product.uninstaller));
  EXPECT_TRUE(InTrash(trashed, GroupFolder()));
  if (c.recordLines < 5) DeleteFileA(product.desktopLink.c_str());

  // A second run, from a copy with its record back in place, finds no uninstall entry.
  MakeFolders(product.folder);
  e2e::CopyFileTo(e2e::ProgramPath("uninstall.exe"), product.uninstaller);
  e2e::WriteFile(product.folder + "\\INSTALL.CFG", "a\r\nb\r\nc\r\n" + program + "\r\n");
  e2e::Process again(product.uninstaller, elsewhere);
  window = e2e::WaitWindow(again, "TForm1");
  ASSERT_TRUE(window);
  e2e::ClickControl(window, kUninstallOk);
  AnswerNext(again, "Information", e2e::Wide1256(texts::kUninstallEntryMissing));
  EXPECT_EQ(again.WaitExit(), 0);
  EXPECT_TRUE(Exists(product.uninstaller));
  EXPECT_TRUE(Exists(product.folder + "\\INSTALL.CFG"));
  e2e::RemoveTree(product.folder);
  DeleteEntry(program);
}

INSTANTIATE_TEST_SUITE_P(
    Uninstaller, Removal,
    testing::Values(RemovalCase{"Plain", "AcmeTools", "uninstall-temp", 6, "Uninstall.exe",
                                FILE_ATTRIBUTE_NORMAL},
                    RemovalCase{"Blanks", "Program Files\\Acme Tools", "uninstall temp with blanks",
                                8, "Uninstall.exe", FILE_ATTRIBUTE_READONLY},
                    RemovalCase{"FourLines", "Acme4", "uninstall-temp4", 4, "UNINSTALL.EXE",
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}),
    [](const testing::TestParamInfo<RemovalCase>& info) { return std::string(info.param.name); });

class Refusal : public testing::TestWithParam<const char*> {};

// The uninstall entry names a folder that holds the system's or the user's files, another
// product's folder, or no uninstaller: nothing is deleted, the warning is shown, the entry
// stays.
TEST_P(Refusal, DeletesNothingInAFolderNotItsOwn) {
  e2e::SharedShellFoldersLock lock;
  char windows[MAX_PATH], profile[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, 0, profile);
  const std::string which = GetParam();
  const std::string program = Named("Refused" + which);
  Installed product = Install(e2e::NewTestFolder("refused-" + which), program, 6);
  const std::string target = which == "Root"      ? std::string("C:")
                             : which == "Windows" ? std::string(windows)
                             : which == "Profile" ? std::string(profile)
                             : which == "Own"     ? product.folder
                                                  : e2e::NewTestFolder("victim-" + which);
  // Another product's folder named by its own uninstaller, or this product's folder named by
  // a file that is not an uninstaller.
  const std::string value = target + (which == "Own"     ? "\\Uninstall.txt"
                                      : which == "Setup" ? "\\bin\\setup.exe"
                                                         : "\\Uninstall.exe");
  const std::string canary = target + "\\canary-" + which + ".txt";
  e2e::WriteFile(canary, "keep me");
  WriteUninstallEntry(program, value);

  RemoveAndAnswer(product.uninstaller, product.folder, "Warning", texts::kInstallFolderProtected);

  EXPECT_TRUE(Exists(canary));
  EXPECT_EQ(EntryValue(program), value);
  for (const std::string& path : {product.desktopLink, product.groupLink})
    EXPECT_TRUE(Exists(path)) << path;
  for (const std::string& name : product.contents)
    EXPECT_TRUE(Exists(product.folder + "\\" + name)) << name;
  DeleteFileA(canary.c_str());
  DeleteEntry(program);
  e2e::RemoveTree(GroupFolder());
  DeleteFileA(product.desktopLink.c_str());
}

INSTANTIATE_TEST_SUITE_P(Uninstaller, Refusal,
                         testing::Values("Root", "Windows", "Profile", "Elsewhere", "Setup",
                                         "Own"));

// The install folder is reached through a symbolic link (a junction on Windows) to another
// folder: the uninstaller started through the link refuses to empty it.
TEST(Uninstaller, FolderReachedThroughALinkIsNotEmptied) {
  e2e::SharedShellFoldersLock lock;
  const std::string program = Named("Linked");
  Installed product = Install(e2e::NewTestFolder("link-target"), program, 6);
  const std::string link = e2e::NewTestFolder("link-parent") + "\\Product";
  if (!e2e::MakeLink(link, product.folder)) GTEST_SKIP() << "no symbolic links here";
  WriteUninstallEntry(program, link + "\\Uninstall.exe");

  RemoveAndAnswer(link + "\\Uninstall.exe", product.folder, "Warning",
                  texts::kInstallFolderProtected);

  EXPECT_TRUE(EntryExists(program));
  for (const std::string& name : product.contents)
    EXPECT_TRUE(Exists(product.folder + "\\" + name)) << name;
  e2e::RemoveLink(link);
  DeleteEntry(program);
  e2e::RemoveTree(GroupFolder());
  DeleteFileA(product.desktopLink.c_str());
}

struct NameCase {
  const char* name;
  std::string programLine, shortcutLine;
  const char* warning;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class RefusedName : public testing::TestWithParam<NameCase> {};

// INSTALL.CFG names the product or its shortcut so that they would reach beyond its own
// entry and shortcuts: the uninstaller warns and changes nothing, and every other product's
// entry stays.
TEST_P(RefusedName, ChangesNothing) {
  const NameCase& c = GetParam();
  e2e::SharedShellFoldersLock lock;
  const std::string program = Named(std::string("Named") + c.name);
  Installed product = Install(e2e::NewTestFolder(std::string("named-") + c.name), program, 6);
  const std::string other = Named("Other product");
  WriteUninstallEntry(other, "C:\\Other\\Uninstall.exe");
  e2e::WriteFile(product.folder + "\\INSTALL.CFG", "Title\r\nSecond\r\nAcme\r\n" + c.programLine +
                                                       "\r\n" + c.shortcutLine +
                                                       "\r\nOrganization\r\n");

  RemoveAndAnswer(product.uninstaller, product.folder, "Warning", c.warning);

  EXPECT_EQ(EntryValue(other), "C:\\Other\\Uninstall.exe");
  EXPECT_EQ(EntryValue(program), product.folder + "\\Uninstall.exe");
  for (const std::string& path : {product.desktopLink, product.groupLink, product.otherGroupLink})
    EXPECT_TRUE(Exists(path)) << path;
  for (const std::string& name : product.contents)
    EXPECT_TRUE(Exists(product.folder + "\\" + name)) << name;
  DeleteEntry(other);
  DeleteEntry(program);
  e2e::RemoveTree(GroupFolder());
  DeleteFileA(product.desktopLink.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Uninstaller, RefusedName,
    testing::Values(NameCase{"Backslash", "\\", "Viewer", texts::kProgramNameInvalid},
                    NameCase{"Nul", std::string("\0Daftar", 7), "Viewer",
                             texts::kProgramNameInvalid},
                    NameCase{"ClimbingShortcut", "Daftar",
                             "../../../../ProgramData/Microsoft/Windows/Start Menu/Programs/x",
                             texts::kShortcutNameInvalid}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

// Cancel, Escape and the close box end the program and change nothing; another key does
// nothing.
class LeaveWithoutChange : public testing::TestWithParam<const char*> {};

TEST_P(LeaveWithoutChange, ChangesNothing) {
  e2e::SharedShellFoldersLock lock;
  const std::string way = GetParam();
  const std::string program = Named("Kept" + way);
  Installed product = Install(e2e::NewTestFolder("kept-" + way), program, 6);
  e2e::Process uninstaller(product.uninstaller, product.folder);
  HWND window = e2e::WaitWindow(uninstaller, "TForm1");
  ASSERT_TRUE(window);
  if (way == "Cancel") {
    e2e::ClickControl(window, kUninstallCancel);
  } else if (way == "Escape") {
    e2e::PressKey(window, 'A', L'a');
    e2e::PressKey(window, VK_RETURN, L'\r');
    Sleep(300);
    EXPECT_EQ(uninstaller.WaitExit(0), -1) << "a key other than Escape ended the program";
    e2e::PressKey(window, VK_ESCAPE, 27);
  } else {
    e2e::CloseBox(window);
  }
  EXPECT_EQ(uninstaller.WaitExit(), 0);
  EXPECT_TRUE(EntryExists(program));
  for (const std::string& path : {product.uninstaller, product.desktopLink, product.groupLink})
    EXPECT_TRUE(Exists(path)) << path;
  for (const std::string& name : product.contents)
    EXPECT_TRUE(Exists(product.folder + "\\" + name)) << name;
  DeleteEntry(program);
  e2e::RemoveTree(GroupFolder());
  DeleteFileA(product.desktopLink.c_str());
}

INSTANTIATE_TEST_SUITE_P(Uninstaller, LeaveWithoutChange,
                         testing::Values("Cancel", "Escape", "CloseBox"));

// The window as its table lays it out, with the record's texts (lines 7 and 8 ignored).
TEST(Uninstaller, WindowLayout) {
  const std::string folder = e2e::NewTestFolder("layout");
  e2e::WriteFile(folder + "\\INSTALL.CFG",
                 "One\r\nTwo\nThree\r\nP\r\nS\r\nSix\r\nSeven\r\nEight\r\n");
  e2e::CopyFileTo(e2e::ProgramPath("uninstall.exe"), folder + "\\Uninstall.exe");
  e2e::Process uninstaller(folder + "\\Uninstall.exe", folder);
  HWND window = e2e::WaitWindow(uninstaller, "TForm1");
  ASSERT_TRUE(window);
  EXPECT_EQ(e2e::Text(window), e2e::Wide1256(texts::kUninstallTitle));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 799);
  EXPECT_EQ(client.bottom, 538);
  const struct {
    int id;
    RECT rect;  // left, top, right, bottom
    const wchar_t* text;
  } controls[] = {
      {1, {0, 0, 801, 561}, nullptr},
      {2, {258, 469, 258 + 119, 469 + 49}, L""},
      {3, {443, 472, 443 + 117, 472 + 44}, L""},
      {kUninstallTetr1, {200, 168, 200 + 417, 168 + 81}, L"One"},
      {kUninstallTetr2, {192, 256, 192 + 409, 256 + 33}, L"Two"},
      {kUninstallTetr3, {10, 511, 10 + 409, 511 + 33}, L"Six"},
  };
  for (const auto& control : controls) {
    HWND child = e2e::Control(window, control.id);
    ASSERT_TRUE(child) << control.id;
    RECT rect = e2e::ChildRect(child);
    EXPECT_TRUE(EqualRect(&rect, &control.rect)) << control.id;
    if (control.text) {
      EXPECT_EQ(e2e::Text(child), control.text) << control.id;
    }
  }
  e2e::CloseBox(window);
  EXPECT_EQ(uninstaller.WaitExit(), 0);
}

// The record is looked for beside the program, never in the current folder.
TEST(Uninstaller, MissingRecordEndsBeforeTheWindow) {
  const std::string folder = e2e::NewTestFolder("no-record");
  const std::string current = e2e::NewTestFolder("record-here");
  e2e::WriteFile(current + "\\INSTALL.CFG", "a\r\nb\r\nc\r\nProductX\r\n");
  e2e::CopyFileTo(e2e::ProgramPath("uninstall.exe"), folder + "\\Uninstall.exe");
  e2e::Process uninstaller(folder + "\\Uninstall.exe", current);
  HWND dialog = e2e::WaitDialog(uninstaller);
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(e2e::WaitWindow(uninstaller, "TForm1", 0));
  e2e::Answer(dialog, L"Information", e2e::Wide1256(texts::kRecordMissing), L"OK");
  EXPECT_EQ(uninstaller.WaitExit(), 0);
}

// A record held open by another process: the error number alone, then the window with empty
// values, whose ok finds no uninstall entry for the empty program name.
TEST(Uninstaller, LockedRecordShowsTheErrorNumberAndAnEmptyWindow) {
  e2e::SharedShellFoldersLock lock;
  const std::string program = Named("Locked");
  Installed product = Install(e2e::NewTestFolder("locked"), program, 6);
  HANDLE held = CreateFileA((product.folder + "\\INSTALL.CFG").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  e2e::Process uninstaller(product.uninstaller, product.folder);
  AnswerNext(uninstaller, "Information", L"32");
  CloseHandle(held);
  HWND window = e2e::WaitWindow(uninstaller, "TForm1");
  ASSERT_TRUE(window);
  EXPECT_EQ(e2e::Text(e2e::Control(window, kUninstallTetr2)), L"");
  EXPECT_EQ(e2e::Text(e2e::Control(window, kUninstallTetr3)), L"");
  e2e::ClickControl(window, kUninstallOk);
  AnswerNext(uninstaller, "Information", e2e::Wide1256(texts::kUninstallEntryMissing));
  EXPECT_EQ(uninstaller.WaitExit(), 0);
  EXPECT_TRUE(EntryExists(program));
  for (const std::string& name : product.contents)
    EXPECT_TRUE(Exists(product.folder + "\\" + name)) << name;
  EXPECT_TRUE(Exists(product.groupLink));
  DeleteEntry(program);
  e2e::RemoveTree(GroupFolder());
  DeleteFileA(product.desktopLink.c_str());
}

// No usable temporary folder: the product is gone by then, but no script starts, the error
// box is shown and the window stays open.
TEST(Uninstaller, UnusableTemporaryFolderShowsTheErrorAndKeepsTheWindow) {
  e2e::SharedShellFoldersLock lock;
  const std::string program = Named("NoTemp");
  Installed product = Install(e2e::NewTestFolder("no-temp"), program, 6);
  const std::string missing = e2e::NewTestFolder("no-temp-parent") + "\\missing";
  UseTempFolder(missing);
  e2e::Process uninstaller(product.uninstaller, product.folder);
  HWND window = e2e::WaitWindow(uninstaller, "TForm1");
  ASSERT_TRUE(window);
  e2e::ClickControl(window, kUninstallOk);
  HWND dialog = e2e::WaitDialog(uninstaller, 60000);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(e2e::Text(dialog), e2e::Wide1256(texts::kUninstallTitle));
  EXPECT_EQ(e2e::DialogMessage(dialog).substr(0, 20), L"Cannot create file \"");
  e2e::PressButton(dialog, L"OK");
  EXPECT_TRUE(e2e::WaitGone(dialog));
  EXPECT_EQ(uninstaller.WaitExit(500), -1) << "the program ended";
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(EntryExists(program));
  EXPECT_EQ(Names(product.folder + "\\*"), std::vector<std::string>{"Uninstall.exe"});
  e2e::CloseBox(window);
  EXPECT_EQ(uninstaller.WaitExit(), 0);
  EXPECT_TRUE(Exists(product.uninstaller));
  EXPECT_FALSE(Exists(product.desktopLink));
}

// A "Desktop" shell folder value that is not text fails the shortcut step: the uninstall
// entry is still deleted, the failure is shown, and the window stays without the success
// message; a second ok then finds no entry.
TEST(Uninstaller, FailingShortcutStepStillDeletesTheEntry) {
  e2e::SharedShellFoldersLock lock;
  const std::string program = Named("BadDesktop");
  Installed product = Install(e2e::NewTestFolder("bad-desktop"), program, 6);
  const char* key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  const std::string desktop = ShellFolder("Desktop");
  struct Restore {
    const char* key;
    std::string value;
    ~Restore() {
      RegSetKeyValueA(HKEY_CURRENT_USER, key, "Desktop", REG_SZ, value.c_str(),
                      (DWORD)value.size() + 1);
    }
  } restore{key, desktop};
  e2e::Process uninstaller(product.uninstaller, product.folder);
  HWND window = e2e::WaitWindow(uninstaller, "TForm1");
  ASSERT_TRUE(window);
  // Set once the window is up: Wine's desktop process, when it starts with the program's
  // first window, writes the "Shell Folders" values afresh.
  DWORD number = 7;
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key, "Desktop", REG_DWORD, &number, sizeof number),
            ERROR_SUCCESS);
  e2e::ClickControl(window, kUninstallOk);
  HWND dialog = e2e::WaitDialog(uninstaller, 60000);
  ASSERT_TRUE(dialog);
  DWORD type = 0;
  RegGetValueA(HKEY_CURRENT_USER, key, "Desktop", RRF_RT_ANY, &type, nullptr, nullptr);
  if (type != REG_DWORD && e2e::DialogMessage(dialog) == e2e::Wide1256(texts::kRemovalDone)) {
    // Wine's desktop process, started meanwhile by another test's first window, wrote the
    // value afresh before the uninstaller read it: this run proves nothing either way.
    e2e::PressButton(dialog, L"OK");
    uninstaller.WaitExit();
    DeleteFileA(product.desktopLink.c_str());
    GTEST_SKIP() << "the \"Desktop\" value was rewritten by Wine during the test";
  }
  e2e::Answer(dialog, e2e::Wide1256(texts::kUninstallTitle), L"Invalid data type for 'Desktop'",
              L"OK");
  EXPECT_TRUE(e2e::WaitGone(dialog));
  EXPECT_EQ(uninstaller.WaitExit(300), -1) << "the program ended";
  EXPECT_FALSE(EntryExists(program));
  EXPECT_EQ(Names(product.folder + "\\*"), std::vector<std::string>{"Uninstall.exe"});
  e2e::ClickControl(window, kUninstallOk);
  AnswerNext(uninstaller, "Information", e2e::Wide1256(texts::kUninstallEntryMissing));
  EXPECT_EQ(uninstaller.WaitExit(), 0);
  DeleteEntry(program);
  e2e::RemoveTree(GroupFolder());
  DeleteFileA(product.desktopLink.c_str());
}
