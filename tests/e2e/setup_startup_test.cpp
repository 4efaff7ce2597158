// The installer's start-up and its main window, driven through the real setup.exe: the
// settings file REG.CFG, the window's controls as the layout tables give them, the
// background picture, and the failure box of a picture that cannot be loaded.
#include "core/texts.h"
#include "setup/controls.h"
#include "tests/support/driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const wchar_t kSettingsFileMissing[] = L"فايل مربوط به تنظيمات برنامه يافت نشد ";
const wchar_t kWindowTitle[] = L"نصب برنامه";

// Fixed size, centred on the desktop, right-to-left reading order without a mirrored layout.
void ExpectCentredFixedRightToLeft(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  LONG style = GetWindowLongW(window, GWL_STYLE), extended = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(extended & WS_EX_RTLREADING, 0);
  EXPECT_EQ(extended & WS_EX_LAYOUTRTL, 0);
}

// A medium folder with REG.CFG holding these bytes (none when null).
std::string Medium(const std::string& name, const char* settings) {
  std::string folder = e2e::NewTestFolder(name);
  if (settings) e2e::WriteFile(folder + "\\REG.CFG", settings);
  return folder;
}

std::string SetupProgram() { return e2e::ProgramPath("setup.exe"); }

// Ten lines: Title1, Title2, SourceFolder, DefaultFolderName, ProgramName, ShortcutName,
// Organization, BackgroundPicture, MenuGroup, LocaleMode.
std::string Settings(const std::string& defaultFolder, const std::string& picture = "") {
  return "Title one\r\nTitle two\r\nFILES\r\n" + defaultFolder + "\r\nacc\r\nAcc\r\nOrg\r\n" +
         picture + "\r\n\r\n\r\n";
}

std::wstring WindowsDrive() {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::wstring(1, (wchar_t)folder[0]) + L":\\";
}

}  // namespace

// Each registration of the suite runs under its own ANSI code page: Persian (1256) with
// LC_ALL=fa_IR.UTF-8, Western (1252) otherwise. The Persian texts must read the same in both.
TEST(SetupStartup, RunsUnderTheCodePageOfItsRegistration) {
  const char* locale = std::getenv("LC_ALL");
  bool persian = locale && std::string(locale).rfind("fa_IR", 0) == 0;
  EXPECT_EQ(GetACP(), persian ? 1256u : 1252u);
}

TEST(SetupStartup, MissingSettingsFileShowsTheMessageAndEndsBeforeAnyWindow) {
  e2e::Process setup(SetupProgram(), Medium("missing-settings", nullptr));
  HWND dialog = e2e::WaitDialog(setup);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(e2e::DialogButtons(dialog), std::vector<std::wstring>{L"OK"});
  EXPECT_FALSE(e2e::WaitWindow(setup, "TForm1", 0));
  e2e::Answer(dialog, L"Information", kSettingsFileMissing, L"OK");
  EXPECT_EQ(setup.WaitExit(), 0);
}

// A ProgramName or ShortcutName that would reach beyond the product's own entry, program file
// and shortcuts: the warning, then the end, before any window and before anything is written.
TEST(SetupStartup, RefusedNamesEndBeforeAnyWindow) {
  const std::wstring programName = e2e::Wide1256(texts::kProgramNameInvalid);
  const std::wstring shortcutName = e2e::Wide1256(texts::kShortcutNameInvalid);
  const struct {
    const char* name;
    std::string programLine, shortcutLine;
    const std::wstring& message;
  } cases[] = {
      {"backslash", "\\", "Acc", programName},
      {"empty", "", "Acc", programName},
      {"nul", std::string("\0acc", 4), "Acc", programName},
      {"tab", "a\tcc", "Acc", programName},
      {"slash", "../acc", "Acc", programName},
      {"climbing-shortcut", "acc", "..\\..\\Startup\\Acc", shortcutName},
      {"climbing-shortcut-slashes", "acc", "../../Startup/Acc", shortcutName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string settings = "Title one\r\nTitle two\r\nFILES\r\nAccounts\r\n" + c.programLine +
                                 "\r\n" + c.shortcutLine + "\r\nOrg\r\n\r\n\r\n\r\n";
    const std::string folder = e2e::NewTestFolder(std::string("refused-") + c.name);
    e2e::WriteFile(folder + "\\REG.CFG", settings);
    e2e::Process setup(SetupProgram(), folder);
    HWND dialog = e2e::WaitDialog(setup);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(e2e::WaitWindow(setup, "TForm1", 0));
    e2e::Answer(dialog, L"Warning", c.message, L"OK");
    EXPECT_EQ(setup.WaitExit(), 0);
  }
}

TEST(SetupStartup, LockedSettingsFileShowsItsErrorNumberThenTheWindowWithEmptySettings) {
  std::string folder = Medium("locked-settings", Settings("Accounts").c_str());
  HANDLE lock = CreateFileA((folder + "\\REG.CFG").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  e2e::Process setup(SetupProgram(), folder);
  HWND dialog = e2e::WaitDialog(setup);
  ASSERT_TRUE(dialog);
  e2e::Answer(dialog, L"Information", L"32", L"OK");
  HWND window = e2e::WaitWindow(setup, "TForm1");
  CloseHandle(lock);
  ASSERT_TRUE(window);
  EXPECT_EQ(e2e::Text(e2e::Control(window, kPath)), L"");
  EXPECT_EQ(e2e::Text(e2e::Control(window, kTetr3)), L"");
}

TEST(SetupStartup, SettingsFilesGiveTheLabelTexts) {
  const std::wstring drive = WindowsDrive();
  const struct {
    const char* name;
    std::string settings;
    std::wstring title1, title2, organization, path;
  } cases[] = {
      {"ten-crlf", Settings("Accounts"), L"Title one", L"Title two", L"Org", drive + L"Accounts"},
      {"ten-no-final-end", "T1\r\nT2\r\nF\r\nAccounts\r\np\r\ns\r\nOrg\r\n\r\n\r\n0", L"T1", L"T2",
       L"Org", drive + L"Accounts"},
      {"lf-only", "T1\nT2\nF\nAccounts\np\ns\nOrg\n\n\n\n", L"T1", L"T2", L"Org",
       drive + L"Accounts"},
      {"five-lines", "T1\r\nT2\r\nF\r\nAccounts\r\np\r\n", L"T1", L"T2", L"", drive + L"Accounts"},
      {"trailing-spaces", "T1 \r\n T2\r\nF\r\nAccounts \r\np\r\ns\r\nOrg  \r\n", L"T1 ", L" T2",
       L"Org  ", drive + L"Accounts "},
      {"empty-folder-name", Settings(""), L"Title one", L"Title two", L"Org", drive},
      {"lone-cr", "T\r1\r\nT2\r\nF\r\nAcc\rounts\r\np\r\n", L"T1", L"T2", L"", drive + L"Accounts"},
      // Persian titles in code page 1256.
      {"persian",
       "\xDA\xE4\xE6\xC7\xE4\x20\xED\xDF"
       "\r\n\xE4\xD3\xCE\xE5\x20\xCF\xE6"
       "\r\nF\r\nAccounts\r\np\r\ns\r\n\xD4\xD1\xDF\xCA\x20\xE4\xE3\xE6\xE4\xE5"
       "\r\n",
       L"عنوان يك", L"نسخه دو", L"شركت نمونه", drive + L"Accounts"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    e2e::Process setup(SetupProgram(), Medium(c.name, c.settings.c_str()));
    HWND window = e2e::WaitWindow(setup, "TForm1");
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::Text(e2e::Control(window, kTetr1)), c.title1);
    EXPECT_EQ(e2e::Text(e2e::Control(window, kTetr2)), c.title2);
    EXPECT_EQ(e2e::Text(e2e::Control(window, kTetr3)), c.organization);
    EXPECT_EQ(e2e::Text(e2e::Control(window, kPath)), c.path);
  }
}

// Each control where the layout tables put it (client pixels; labels sized to their text
// keep their left edge and top), with its hint as the hot-spot's text and its visibility.
TEST(SetupStartup, ControlsLieWhereTheLayoutTablesPutThem) {
  e2e::Process setup(SetupProgram(), Medium("layout", Settings("Accounts").c_str()));
  HWND window = e2e::WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 790);
  EXPECT_EQ(client.bottom, 534);
  EXPECT_EQ(e2e::Caption(window), kWindowTitle);
  EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU, 0);  // the close box
  ExpectCentredFixedRightToLeft(window);
  const struct {
    int id;
    const char* name;
    int left, top, width, height;  // width 0: sized to its text
    bool visible;
    const wchar_t* text;  // null: not checked
  } rows[] = {
      {kImage1, "Image1", 0, 0, 790, 536, true, nullptr},
      {kNext1, "Next1", 706, 385, 47, 52, true, L"تاييد"},
      {kCancel, "cancel", 705, 446, 49, 45, true, L"انصراف"},
      {kChange, "change", 236, 412, 100, 27, true, L"تغيير مسير نصب برنامه"},
      {kPath, "path", 239, 386, 0, 0, true, nullptr},
      {kWait, "wait", 306, 325, 267, 20, false,
       L"سيستم در حال انتقال اطلاعات لطفا براي لحظاتي صبر كنيد"},
      {kGauge1, "Gauge1", 198, 344, 380, 16, false, L"0%"},
      {kAnimate1, "Animate1", 198, 363, 381, 82, false, nullptr},
      {kTetr1, "tetr1", 192, 136, 393, 76, true, nullptr},
      {kTetr2, "tetr2", 249, 218, 0, 0, true, nullptr},
      {kTetr3, "Tetr3", 264, 19, 515, 36, true, nullptr},
      {kImageToz, "ImageToz", 0, 0, 105, 105, false, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HWND control = e2e::Control(window, row.id);
    ASSERT_TRUE(control);
    RECT rect = e2e::ChildRect(control);
    EXPECT_EQ(rect.left, row.left);
    EXPECT_EQ(rect.top, row.top);
    if (row.width) {
      EXPECT_EQ(rect.right - rect.left, row.width);
      EXPECT_EQ(rect.bottom - rect.top, row.height);
    } else {
      EXPECT_GT(rect.right - rect.left, 0);
    }
    EXPECT_EQ(IsWindowVisible(control) != FALSE, row.visible);
    if (row.text) {
      EXPECT_EQ(e2e::Text(control), row.text);
    }
  }
  // A label sized to its text grows to the right from its fixed left edge.
  RECT path = e2e::ChildRect(e2e::Control(window, kPath));
  RECT title = e2e::ChildRect(e2e::Control(window, kTetr2));
  EXPECT_GT(path.right - path.left, 60);    // "C:\Accounts" in 16 px bold
  EXPECT_GT(title.right - title.left, 40);  // "Title two" in 19 px
}

TEST(SetupStartup, ExitConfirmationControlsLieWhereTheTableSays) {
  e2e::Process setup(SetupProgram(), Medium("exit-layout", Settings("Accounts").c_str()));
  HWND window = e2e::WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  e2e::PressKey(window, VK_ESCAPE, 27);
  HWND exitBox = e2e::WaitWindow(setup, "TForm5");
  ASSERT_TRUE(exitBox);
  RECT client;
  GetClientRect(exitBox, &client);
  EXPECT_EQ(client.right, 362);
  EXPECT_EQ(client.bottom, 216);
  EXPECT_EQ(e2e::Caption(exitBox), L" ");
  EXPECT_EQ(GetWindowLongW(exitBox, GWL_STYLE) & WS_SYSMENU, 0);  // no border icons
  ExpectCentredFixedRightToLeft(exitBox);
  EXPECT_FALSE(IsWindowEnabled(window));  // modal over the main window
  const struct {
    int id;
    int left, top, width, height;
    const wchar_t* hint;
  } rows[] = {
      {kExitImage1, 0, 0, 362, 216, L""},
      {kExitOk, 107, 161, 44, 40, L"خروج از برنامه"},
      {kExitLabel1, 24, 161, 41, 40, L"انصراف"},
  };
  for (const auto& row : rows) {
    HWND control = e2e::Control(exitBox, row.id);
    ASSERT_TRUE(control);
    RECT rect = e2e::ChildRect(control);
    EXPECT_EQ(rect.left, row.left);
    EXPECT_EQ(rect.top, row.top);
    EXPECT_EQ(rect.right - rect.left, row.width);
    EXPECT_EQ(rect.bottom - rect.top, row.height);
    EXPECT_EQ(e2e::Text(control), row.hint);
  }
}
