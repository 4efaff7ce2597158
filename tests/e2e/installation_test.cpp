// The whole installation, driven as a user drives it: start setup.exe on a prepared medium,
// click the confirm button, answer the final question, and check what is on the machine.
// These suites change HKLM, the system and fonts folders and the locale settings, so each
// test runs in its own copy of the Wine prefix.
#include "core/installation_rules.h"
#include "core/texts.h"
#include "setup/controls.h"
#include "tests/support/driver.h"
#include "tests/e2e/installed.h"
#include "tests/support/medium.h"
#include "tests/support/setup_driver.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

using namespace e2e;

// Each LocaleMode, installed end to end.
class InstallationInOwnPrefix : public testing::TestWithParam<const char*> {};

TEST_P(InstallationInOwnPrefix, InstallsTheMediumAndEndsWithTheFinalScreen) {
  MediumSettings settings;
  settings.localeMode = GetParam();
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings);
  const std::string target = "C:\\Daftar";

  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  ASSERT_EQ(PathText(window), target);
  ClickControl(window, kNext1);

  HWND dialog = WaitDialog(setup, 60000);
  ASSERT_TRUE(dialog);
  if (settings.localeMode == "0") {
    EXPECT_EQ(DialogButtons(dialog), std::vector<std::wstring>{L"OK"});
    HWND picture = Control(window, kImageToz);
    EXPECT_TRUE(IsWindowVisible(picture));
    RECT outer, shown = ChildRect(picture);
    GetWindowRect(window, &outer);
    EXPECT_EQ(shown.left, 0);
    EXPECT_EQ(shown.top, 0);
    EXPECT_EQ(shown.right, outer.right - outer.left);
    EXPECT_EQ(shown.bottom, outer.bottom - outer.top);
    Answer(dialog, L"Information", Wide1256(texts::kInstalledSuccessfully), L"OK");
  } else {
    EXPECT_EQ(DialogButtons(dialog), (std::vector<std::wstring>{L"&Yes", L"&No"}));
    Answer(dialog, L"Confirm", Wide1256(RestartQuestionText()), L"&No");
  }
  EXPECT_EQ(setup.WaitExit(), 0);
  ExpectInstalled(target, settings);
}

INSTANTIATE_TEST_SUITE_P(LocaleModes, InstallationInOwnPrefix,
                         testing::Values("", "0", "1", "2", "1 "),
                         [](const testing::TestParamInfo<const char*>& info) {
                           const std::string mode = info.param;
                           return mode.empty()   ? std::string("Empty")
                                  : mode == "1 " ? std::string("OneAndSpace")
                                                 : "Mode" + mode;
                         });

// On Windows NT 4.0 (set for setup.exe through Wine's per-program version) the second locale
// step does not run, so the machine shows what the first step did for each mode.
class FirstLocaleStepInOwnPrefix
    : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(FirstLocaleStepInOwnPrefix, WritesTheLanguageOfTheMode) {
  SetWineVersionFor("setup.exe", "nt40");
  MakeFolders(WindowsFolder() + "\\System");  // the system folder of that version
  const std::string before = RegistryText(
      HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language", "Default");
  ASSERT_NE(before, "0401");  // otherwise an untouched value would not show
  ASSERT_NE(before, "0429");
  MediumSettings settings;
  settings.localeMode = GetParam().first;
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings);
  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  ClickControl(window, kNext1);
  HWND dialog = WaitDialog(setup, 60000);
  ASSERT_TRUE(dialog);
  const bool picture = settings.localeMode == "0";
  Answer(dialog, picture ? L"Information" : L"Confirm",
         Wide1256(picture ? texts::kInstalledSuccessfully : RestartQuestionText()),
         picture ? L"OK" : L"&No");
  EXPECT_EQ(setup.WaitExit(), 0);
  const std::string expected = *GetParam().second ? GetParam().second : before;
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language",
                         "Default"),
            expected);
}

INSTANTIATE_TEST_SUITE_P(
    LocaleModes, FirstLocaleStepInOwnPrefix,
    testing::Values(std::make_pair("", "0401"), std::make_pair("1", "0429"),
                    std::make_pair("0", ""), std::make_pair("2", ""), std::make_pair("1 ", "")),
    [](const testing::TestParamInfo<std::pair<const char*, const char*>>& info) {
      return "Case" + std::to_string(info.index);
    });

namespace {

// Starts setup.exe on a medium and waits for its main window.
struct RunningSetup {
  explicit RunningSetup(const std::string& medium) : process(ProgramPath("setup.exe"), medium) {
    window = WaitWindow(process, "TForm1");
  }
  Process process;
  HWND window;
};

uint64_t FreeBytesOf(const std::string& root) {
  ULARGE_INTEGER free;
  return GetDiskFreeSpaceExA(root.c_str(), &free, nullptr, nullptr) ? free.QuadPart : 0;
}

uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The folder behind the test drive M: (scripts/test-drives), reached through Z:.
std::string VanishingDriveFolder() {
  return WindowsPath(std::string(SOURCE_DIR) + "/build/wine/vanishing-drive");
}

}  // namespace

TEST(InstallingInOwnPrefix, ASecondInstallationCopiesWhatIsMissingAndRenewsThePrograms) {
  MediumSettings settings;
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings);
  {
    RunningSetup first(medium);
    ASSERT_TRUE(first.window);
    ASSERT_EQ(InstallAndDeclineRestart(first.process, first.window), 0);
  }
  WriteFile("C:\\Daftar\\readme.txt", "changed by the user");
  ASSERT_TRUE(DeleteFileA("C:\\Daftar\\data\\sample data.csv"));
  WriteFile("C:\\Daftar\\Daftar.EXE", "an older program");
  WriteFile("C:\\Daftar\\Uninstall.EXE", "an older uninstaller");

  RunningSetup second(medium);
  ASSERT_TRUE(second.window);
  ASSERT_EQ(InstallAndDeclineRestart(second.process, second.window), 0);
  EXPECT_EQ(ReadAll("C:\\Daftar\\readme.txt"), "changed by the user");
  EXPECT_EQ(ReadAll("C:\\Daftar\\data\\sample data.csv"), "a,b\r\n1,2\r\n");
  EXPECT_EQ(ReadAll("C:\\Daftar\\Daftar.EXE"), ReadAll(ProgramPath("sample_product.exe")));
  EXPECT_EQ(ReadAll("C:\\Daftar\\Uninstall.EXE"), ReadAll(ProgramPath("uninstall.exe")));
  EXPECT_FALSE(IsFile("C:\\Daftar\\Daftar.dat"));
}

TEST(InstallingInOwnPrefix, TheGaugeMovesAndCancelEndsBetweenTwoFiles) {
  MediumSettings settings;
  std::vector<PayloadFile> payload = SamplePayload(settings);
  const size_t kBigFiles = 240, kBigSize = 4 << 20;
  for (size_t i = 0; i < kBigFiles; ++i)
    payload.push_back({"big\\part" + std::to_string(100 + i) + ".bin",
                       std::string(kBigSize, char('a' + i % 26))});
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings, payload);

  RunningSetup setup(medium);
  ASSERT_TRUE(setup.window);
  ClickControl(setup.window, kNext1);
  HWND gauge = Control(setup.window, kGauge1);
  // Two different readings between 0% and 100% while the copy runs.
  std::vector<std::wstring> seen;
  const DWORD start = GetTickCount();
  while (seen.size() < 2 && GetTickCount() - start < 60000) {
    const std::wstring now = Text(gauge);
    if (IsWindowVisible(gauge) && now != L"0%" && now != L"100%" &&
        (seen.empty() || seen.back() != now))
      seen.push_back(now);
    Sleep(5);
  }
  ASSERT_EQ(seen.size(), 2u) << "the gauge did not move during the copy";
  EXPECT_TRUE(IsWindowVisible(Control(setup.window, kWait)));
  EXPECT_TRUE(IsWindowVisible(Control(setup.window, kAnimate1)));

  // While it runs, Next1 and change are ignored.
  ClickControl(setup.window, kNext1);
  ClickControl(setup.window, kChange);
  EXPECT_FALSE(WaitWindow(setup.process, "TForm4", 500));

  ClickControl(setup.window, kCancel);
  HWND confirmation = WaitWindow(setup.process, "TForm5");
  ASSERT_TRUE(confirmation);
  ClickControl(confirmation, kExitOk);
  EXPECT_EQ(setup.process.WaitExit(), 0);

  size_t whole = 0, missing = 0;
  for (size_t i = 0; i < kBigFiles; ++i) {
    const std::string path = "C:\\Daftar\\big\\part" + std::to_string(100 + i) + ".bin";
    if (!IsFile(path)) {
      ++missing;
      continue;
    }
    EXPECT_EQ(FileSize(path), kBigSize) << path << " is partly written";
    ++whole;
  }
  EXPECT_GT(whole, 0u);
  EXPECT_GT(missing, 0u);
  // Nothing after the copy loop happened.
  EXPECT_FALSE(IsFile("C:\\Daftar\\Daftar.EXE"));
  EXPECT_FALSE(IsFile("C:\\Daftar\\Uninstall.EXE"));
  EXPECT_FALSE(IsFile("C:\\Daftar\\INSTALL.CFG"));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "");
  EXPECT_FALSE(IsFile(ShellFolder("Desktop") + "\\" + settings.shortcutName + ".lnk"));
}

// The installer is ended in the middle of a file (killed, as a power cut or the task manager
// would end it): no file under its own name is cut off, and the next run, which copies what
// is missing, leaves every file whole and no partial copy behind.
TEST(InstallingInOwnPrefix, AnInstallerEndedMidFileLeavesNoCutOffFile) {
  MediumSettings settings;
  std::vector<PayloadFile> payload = SamplePayload(settings);
  const size_t kBigFiles = 12, kBigSize = 8 << 20;
  auto target = [](size_t i) { return "C:\\Daftar\\big\\part" + std::to_string(100 + i) + ".bin"; };
  for (size_t i = 0; i < kBigFiles; ++i)
    payload.push_back(
        {"big\\part" + std::to_string(100 + i) + ".bin", std::string(kBigSize, char('a' + i))});
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings, payload);

  {
    RunningSetup setup(medium);
    ASSERT_TRUE(setup.window);
    ClickControl(setup.window, kNext1);
    // Wait until some file is partly written, under whatever name, and end the program then.
    bool caught = false;
    for (DWORD start = GetTickCount(); !caught && GetTickCount() - start < 60000;) {
      for (size_t i = 0; i < kBigFiles && !caught; ++i)
        for (const std::string& path : {target(i), target(i) + ".$$$"}) {
          const uint64_t size = IsFile(path) ? FileSize(path) : 0;
          if (size > 0 && size < kBigSize) caught = true;
        }
      if (!caught) Sleep(2);
    }
    ASSERT_TRUE(caught) << "no file was seen partly written";
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, setup.process.id());
    ASSERT_TRUE(process);
    TerminateProcess(process, 9);
    CloseHandle(process);
    EXPECT_EQ(setup.process.WaitExit(), 9);
  }
  for (size_t i = 0; i < kBigFiles; ++i)
    if (IsFile(target(i))) EXPECT_EQ(FileSize(target(i)), kBigSize) << target(i) << " is cut off";

  RunningSetup again(medium);
  ASSERT_TRUE(again.window);
  ASSERT_EQ(InstallAndDeclineRestart(again.process, again.window), 0);
  for (size_t i = 0; i < kBigFiles; ++i) {
    EXPECT_TRUE(ReadAll(target(i)) == std::string(kBigSize, char('a' + i)))
        << target(i) << " differs";
    EXPECT_FALSE(IsFile(target(i) + ".$$$")) << target(i);
  }
}

TEST(InstallingInOwnPrefix, NotEnoughSpaceEndsBeforeWritingAndEqualSpaceIsEnough) {
  if (!IsFolder("S:\\") || FreeBytesOf("S:\\") == 0 || FreeBytesOf("S:\\") > (16u << 20))
    GTEST_SKIP()
        << "drive S: is not the small tmpfs of scripts/test-drives (it needs root to mount)";
  RemoveTree("S:\\Daftar");
  const uint64_t free = FreeBytesOf("S:\\");
  MediumSettings settings;
  for (const uint64_t size : {free + 1, free}) {
    const std::string medium = NewTestFolder("medium");
    MakeMedium(medium, settings, {{"payload.bin", std::string(size, 'x')}});
    RunningSetup setup(medium);
    ASSERT_TRUE(setup.window);
    ChooseFolder(setup.process, setup.window, "S:\\");
    ASSERT_EQ(PathText(setup.window), "S:\\Daftar");
    if (size > free) {
      ClickControl(setup.window, kNext1);
      HWND dialog = WaitDialog(setup.process, 60000);
      ASSERT_TRUE(dialog);
      Answer(dialog, L"Information", Wide1256(texts::kNotEnoughSpace), L"OK");
      EXPECT_EQ(setup.process.WaitExit(), 0);
      EXPECT_FALSE(IsFolder("S:\\Daftar"));
    } else {
      EXPECT_EQ(InstallAndDeclineRestart(setup.process, setup.window), 0);
      EXPECT_EQ(FileSize("S:\\Daftar\\payload.bin"), free);
    }
  }
  RemoveTree("S:\\Daftar");
}

TEST(InstallingInOwnPrefix, ADriveThatVanishedEndsWithTheSpaceMessage) {
  const std::string backing = VanishingDriveFolder();
  MakeFolders(backing);
  RemoveTree(backing + "\\Daftar");
  ASSERT_TRUE(IsFolder("M:\\")) << "drive M: of scripts/test-drives is missing";
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, MediumSettings());
  RunningSetup setup(medium);
  ASSERT_TRUE(setup.window);

  // A drive that cannot be entered: the error box, and the chooser stays where it was.
  ASSERT_TRUE(RemoveDirectoryA(backing.c_str()));
  HWND chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  const std::wstring before = Text(Control(chooser, kChooserLabel2));
  HWND drives = Control(chooser, kDriveComboBox1);
  SendMessageW(drives, CB_SETCURSEL,
               SendMessageW(drives, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)L"M:"), 0);
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(kDriveComboBox1, CBN_SELCHANGE), (LPARAM)drives);
  HWND error = WaitDialog(setup.process);
  ASSERT_TRUE(error);
  EXPECT_EQ(Caption(error), Wide1256(texts::kSetupTitle));
  PressButton(error, L"OK");
  ASSERT_TRUE(WaitGone(error));
  EXPECT_EQ(Text(Control(chooser, kChooserLabel2)), before);
  ClickControl(chooser, kChooserCancel);
  ASSERT_TRUE(WaitHidden(chooser));
  MakeFolders(backing);
  ASSERT_TRUE(IsFolder(backing));

  // Chosen while it is there, gone when the installation starts: the space message.
  ChooseFolder(setup.process, setup.window, "M:\\");
  ASSERT_EQ(PathText(setup.window), "M:\\Daftar");
  // Browsing left the installer's current folder on M:, which keeps the folder in use:
  // move it back to C: (the chooser's cancel leaves path as it is).
  chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  PickDrive(chooser, 'C');
  ClickControl(chooser, kChooserCancel);
  ASSERT_TRUE(WaitHidden(chooser));
  ASSERT_EQ(PathText(setup.window), "M:\\Daftar");
  ASSERT_TRUE(RemoveDirectoryA(backing.c_str()));
  ClickControl(setup.window, kNext1);
  HWND dialog = WaitDialog(setup.process, 60000);
  ASSERT_TRUE(dialog);
  Answer(dialog, L"Information", Wide1256(texts::kNotEnoughSpace), L"OK");
  EXPECT_EQ(setup.process.WaitExit(), 0);
  MakeFolders(backing);
  EXPECT_FALSE(IsFolder(backing + "\\Daftar"));
}

TEST(InstallingInOwnPrefix, AFailureInTheMiddleKeepsTheWindowAndASecondClickFinishes) {
  MediumSettings settings;
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings);
  // Another program holds a payload file open: its copy cannot open it.
  const std::string held = medium + "\\Payload\\data\\sample data.csv";
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  RunningSetup setup(medium);
  ASSERT_TRUE(setup.window);
  ClickControl(setup.window, kNext1);
  HWND error = WaitDialog(setup.process, 60000);
  ASSERT_TRUE(error);
  EXPECT_EQ(Caption(error), Wide1256(texts::kSetupTitle));
  EXPECT_EQ(DialogMessage(error).rfind(L"Cannot open file \"", 0), 0u) << DialogMessage(error);
  PressButton(error, L"OK");
  ASSERT_TRUE(WaitGone(error));
  CloseHandle(holder);
  EXPECT_TRUE(IsWindow(setup.window));
  EXPECT_TRUE(IsWindowVisible(Control(setup.window, kWait)));
  EXPECT_TRUE(IsWindowVisible(Control(setup.window, kGauge1)));
  EXPECT_FALSE(IsFile("C:\\Daftar\\INSTALL.CFG"));

  EXPECT_EQ(InstallAndDeclineRestart(setup.process, setup.window), 0);
  ExpectInstalled("C:\\Daftar", settings);
}

// The desktop shortcut, opened as the shell opens it on a double click, starts the installed
// product from the install folder.
TEST(InstallingInOwnPrefix, TheDesktopShortcutStartsTheInstalledProduct) {
  MediumSettings settings;
  const std::string medium = NewTestFolder("medium");
  MakeMedium(medium, settings);
  {
    RunningSetup setup(medium);
    ASSERT_TRUE(setup.window);
    ASSERT_EQ(InstallAndDeclineRestart(setup.process, setup.window), 0);
  }
  const std::string link = ShellFolder("Desktop") + "\\" + settings.shortcutName + ".lnk";
  ASSERT_TRUE(IsFile(link));
  ASSERT_EQ(FindWindowA("SampleProduct", nullptr), nullptr);

  // The shortcut's name is Persian: the shell gets it by the wide function.
  const std::wstring wideLink = Wide1256(link);
  SHELLEXECUTEINFOW open = {sizeof open};
  open.fMask = SEE_MASK_NOCLOSEPROCESS;
  open.lpFile = wideLink.c_str();
  open.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExW(&open)) << GetLastError();
  if (open.hProcess) CloseHandle(open.hProcess);

  HWND product = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (product = FindWindowA("SampleProduct", nullptr)) != nullptr; }, 10000))
      << "the product's window did not open";
  DWORD processId = 0;
  GetWindowThreadProcessId(product, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
  char image[MAX_PATH] = "";
  DWORD size = sizeof image;
  // Declared for Windows Vista and later only; the tests are built for XP's headers.
  auto queryImageName = reinterpret_cast<BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD)>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA"));
  ASSERT_TRUE(queryImageName);
  EXPECT_TRUE(process && queryImageName(process, 0, image, &size));
  EXPECT_EQ(lstrcmpiA(image, "C:\\Daftar\\Daftar.EXE"), 0) << image;
  PostMessageA(product, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitGone(product));
  if (process) CloseHandle(process);
}
