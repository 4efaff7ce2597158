// The install-folder chooser, driven from the main window's change button: where it opens,
// what confirming and cancelling leave in path, and the drive's figures.
#include "core/chooser.h"
#include "setup/controls.h"
#include "tests/support/driver.h"
#include "tests/support/medium.h"
#include "tests/support/setup_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <utility>

using namespace e2e;

namespace {

struct ChooserFixture {
  explicit ChooserFixture(const MediumSettings& settings = MediumSettings())
      : medium(MakeStart(settings)), process(ProgramPath("setup.exe"), medium) {
    window = WaitWindow(process, "TForm1");
  }
  static std::string MakeStart(const MediumSettings& settings) {
    // One start folder per test: the tests of a prefix run in parallel.
    const std::string folder = NewTestFolder(
        std::string("chooser-") + testing::UnitTest::GetInstance()->current_test_info()->name());
    MakeMedium(folder, settings, {});
    return folder;
  }
  std::string medium;
  Process process;
  HWND window;
};

std::string Label2(HWND chooser) { return Narrow1256(Text(Control(chooser, kChooserLabel2))); }

// Opens a folder of the list with the keyboard: highlight its line, then Enter.
bool OpenWithEnter(HWND chooser, const std::string& name) {
  HWND list = Control(chooser, kDirectoryListBox1);
  const std::vector<std::string> lines = ListedFolders(chooser);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lstrcmpiA(lines[i].c_str(), name.c_str()) != 0) continue;
    SendMessageA(list, LB_SETCURSEL, i, 0);
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(list, WM_KEYUP, VK_RETURN, 0xC0000001);
    for (int wait = 0; wait < 250; ++wait, Sleep(20))
      if (Label2(chooser).size() > name.size() &&
          lstrcmpiA(Label2(chooser).substr(Label2(chooser).size() - name.size()).c_str(),
                    name.c_str()) == 0)
        return true;
  }
  return false;
}

void Close(HWND chooser, int button) {
  ClickControl(chooser, button);
  ASSERT_TRUE(WaitHidden(chooser));
}

// The rightmost column of red ink (the figures' colour) in a band of the window's client
// area, as the screen shows it; -1 when there is none.
int RightmostRedInk(HWND window, const RECT& band) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  const int width = band.right - band.left, height = band.bottom - band.top;
  POINT origin = {band.left, band.top};
  ClientToScreen(window, &origin);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  DWORD* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  int rightmost = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const DWORD pixel = bits[y * width + x];  // 0x00RRGGBB
      const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF;
      if (red > 160 && green < 90 && band.left + x > rightmost) rightmost = band.left + x;
    }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return rightmost;
}

}  // namespace

TEST(Chooser, OpensAtTheParentAndConfirmingWithoutAChangeKeepsThePath) {
  ChooserFixture setup;
  ASSERT_TRUE(setup.window);
  ASSERT_EQ(PathText(setup.window), "C:\\Daftar");
  HWND chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  EXPECT_EQ(Label2(chooser), "C:\\");
  const std::vector<std::string> lines = ListedFolders(chooser);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "C:\\");
  EXPECT_EQ(SendMessageA(Control(chooser, kDirectoryListBox1), LB_GETITEMHEIGHT, 0, 0), 17);
  EXPECT_EQ(SelectedDrive(chooser), "C:");
  Close(chooser, kChooserOk);
  EXPECT_EQ(PathText(setup.window), "C:\\Daftar");
}

TEST(Chooser, BrowsingThenConfirmingGivesThePickedFolderAndTheName) {
  const std::string folder =
      NewTestFolder("chooser-pick") + "\\A rather long folder name\\Programs";
  MakeFolders(folder);
  ChooserFixture setup;
  ASSERT_TRUE(setup.window);
  ChooseFolder(setup.process, setup.window, folder);
  EXPECT_EQ(PathText(setup.window), folder + "\\Daftar");

  // Opened again at that folder, whose path is too wide for Label2: cut from the left.
  HWND chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  const std::string shown = Label2(chooser);
  EXPECT_NE(shown, folder);
  EXPECT_NE(shown.find("..."), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 9), "\\Programs") << shown;
  Close(chooser, kChooserOk);
  EXPECT_EQ(PathText(setup.window), folder + "\\Daftar");
}

TEST(Chooser, CancellingAfterBrowsingLeavesThePath) {
  ChooserFixture setup;
  ASSERT_TRUE(setup.window);
  HWND chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  ASSERT_TRUE(OpenWithEnter(chooser, "windows"));
  EXPECT_EQ(Label2(chooser), "C:\\windows");
  Close(chooser, kChooserCancel);
  EXPECT_EQ(PathText(setup.window), "C:\\Daftar");
}

TEST(Chooser, AnEmptyFolderNameGivesATrailingBackslash) {
  MediumSettings settings;
  settings.defaultFolderName = "";
  ChooserFixture setup(settings);
  ASSERT_TRUE(setup.window);
  ASSERT_EQ(PathText(setup.window), "C:\\");
  HWND chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  EXPECT_EQ(Label2(chooser), "C:\\");
  ASSERT_TRUE(OpenListedFolder(chooser, "windows"));
  Close(chooser, kChooserOk);
  EXPECT_EQ(PathText(setup.window), "C:\\windows\\");
}

TEST(Chooser, AMissingParentFolderOpensAtTheRootOfC) {
  const std::string folder = NewTestFolder("chooser-gone") + "\\Gone";
  MakeFolders(folder);
  ChooserFixture setup;
  ASSERT_TRUE(setup.window);
  ChooseFolder(setup.process, setup.window, folder);
  ASSERT_EQ(PathText(setup.window), folder + "\\Daftar");
  // Leave the folder (browsing made it the installer's current folder), then remove it.
  HWND chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  ASSERT_TRUE(OpenListedFolder(chooser, "C:\\"));
  Close(chooser, kChooserCancel);
  ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));

  chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  EXPECT_EQ(Label2(chooser), "C:\\");
  Close(chooser, kChooserCancel);
  EXPECT_EQ(PathText(setup.window), folder + "\\Daftar");
}

// REG.CFG that cannot be read leaves path empty: Next1 then changes nothing and opens the
// chooser at C:\, and confirming there gives C:\ (the folder name is empty too).
TEST(Chooser, WithAnEmptyPathNext1OpensTheChooserAtTheRootOfC) {
  const std::string medium = NewTestFolder("chooser-locked");
  MakeMedium(medium, MediumSettings(), {});
  const std::string settings = medium + "\\REG.CFG";
  HANDLE holder =
      CreateFileA(settings.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  Process setup(ProgramPath("setup.exe"), medium);
  HWND message = WaitDialog(setup);
  ASSERT_TRUE(message);
  Answer(message, L"Information", L"32", L"OK");
  CloseHandle(holder);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  ASSERT_EQ(PathText(window), "");

  ClickControl(window, kNext1);
  HWND chooser = WaitWindow(setup, "TForm4");
  ASSERT_TRUE(chooser);
  EXPECT_EQ(Label2(chooser), "C:\\");
  EXPECT_FALSE(IsWindowVisible(Control(window, kWait)));
  Close(chooser, kChooserOk);
  EXPECT_EQ(PathText(window), "C:\\");
}

TEST(Chooser, ShowsTheDrivesCapacityAndFreeSpaceInKilobytes) {
  ChooserFixture setup;
  ASSERT_TRUE(setup.window);
  HWND chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  ULARGE_INTEGER free, total;
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &free, &total, nullptr));
  EXPECT_EQ(Narrow1256(Text(Control(chooser, kDiskKol))),
            GroupThousands(std::to_string(total.QuadPart / 1024)));
  // Other programs write to the same disk meanwhile: the free figure is compared loosely.
  const std::string shownFree = Narrow1256(Text(Control(chooser, kDiskFree)));
  std::string digits = shownFree;
  digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
  EXPECT_EQ(shownFree, GroupThousands(digits));
  const double freeKB = double(free.QuadPart / 1024);
  EXPECT_NEAR(std::stod(digits), freeKB, freeKB * 0.02 + 1024);
  const double used = 100.0 * (total.QuadPart - free.QuadPart) / total.QuadPart;
  EXPECT_NEAR(std::stod(Narrow1256(Text(Control(chooser, kChooserGauge1)))), used, 1.5);
  Close(chooser, kChooserCancel);
}

// The two figures stand against their "KB" labels and show whole, however long they are: on
// drive C:, on the 1 MiB tmpfs S: and on the tmpfs L: of 999,999,999,996 KB
// (scripts/test-drives). A figure's last digit must not be cut at its label's right edge.
TEST(ChooserOnOwnScreen, TheFiguresShowWholeBeforeTheirKBLabels) {
  ChooserFixture setup;
  ASSERT_TRUE(setup.window);
  HWND chooser = OpenChooser(setup.process, setup.window);
  ASSERT_TRUE(chooser);
  std::string missing;
  for (const char drive : {'C', 'S', 'L'}) {
    const std::string root = std::string(1, drive) + ":\\";
    if (!IsFolder(root)) {
      missing += root + " ";
      continue;
    }
    if (drive != 'C') PickDrive(chooser, drive);
    ULARGE_INTEGER free, total;
    ASSERT_TRUE(GetDiskFreeSpaceExA(root.c_str(), &free, &total, nullptr));
    const std::string capacity = GroupThousands(std::to_string(total.QuadPart / 1024));
    ASSERT_EQ(Narrow1256(Text(Control(chooser, kDiskKol))), capacity) << root;
    if (drive == 'L') EXPECT_EQ(capacity, "999,999,999,996");
    const std::pair<int, int> figures[] = {{kDiskKol, kChooserLabel4}, {kDiskFree, kChooserLabel6}};
    for (const auto& [figure, unit] : figures) {
      const RECT label = ChildRect(Control(chooser, figure));
      const RECT kb = ChildRect(Control(chooser, unit));
      EXPECT_LE(label.right, kb.left) << root << figure;
      EXPECT_GE(label.left, 0) << root << figure;
      // The figure's paint reaches the screen in its own time on a busy machine.
      const RECT band = {label.left, label.top, kb.left, label.bottom};
      int ink = -1;
      WaitUntil([&] { return (ink = RightmostRedInk(chooser, band)) >= 0; }, 5000);
      EXPECT_GT(ink, kb.left - 10) << root << figure << ": not against its KB label";
      EXPECT_LT(ink, label.right - 1) << root << figure << ": the last digit is cut";
    }
  }
  Close(chooser, kChooserCancel);
  if (!missing.empty())
    GTEST_SKIP() << "no drive " << missing << "(scripts/test-drives needs root)";
}
