// What the taskbar shows of each program: one button, carrying the application title. The
// taskbar lists the visible top-level windows without an owner (tool windows aside); the
// program's own windows, the secondary ones included, are owned and keep their titles.
#include "core/texts.h"
#include "setup/controls.h"
#include "tests/support/driver.h"
#include "tests/support/setup_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

struct Listed {
  DWORD process;
  std::vector<HWND> windows;
};

// The process's top-level windows that have a taskbar button.
std::vector<HWND> TaskbarWindows(const e2e::Process& program) {
  Listed listed = {program.id(), {}};
  EnumWindows(
      [](HWND window, LPARAM data) {
        Listed* listed = reinterpret_cast<Listed*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        const LONG extended = GetWindowLongW(window, GWL_EXSTYLE);
        const bool button = (extended & WS_EX_APPWINDOW) ||
                            (!GetWindow(window, GW_OWNER) && !(extended & WS_EX_TOOLWINDOW));
        if (process == listed->process && IsWindowVisible(window) && button)
          listed->windows.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&listed));
  return listed.windows;
}

// One taskbar window, with the application title, owning the window given.
void ExpectOneButtonOwning(const e2e::Process& program, HWND window, const char* title) {
  const std::vector<HWND> buttons = TaskbarWindows(program);
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(e2e::Caption(buttons[0]), e2e::Wide1256(title));
  EXPECT_EQ(GetWindow(window, GW_OWNER), buttons[0]);
}

}  // namespace

TEST(Taskbar, TheInstallersButtonCarriesItsApplicationTitle) {
  const std::string folder = e2e::NewTestFolder("taskbar-setup");
  e2e::WriteFile(folder + "\\REG.CFG", "Title\r\n\r\n\r\n\r\np\r\n");
  e2e::Process setup(e2e::ProgramPath("setup.exe"), folder);
  HWND window = e2e::WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  ExpectOneButtonOwning(setup, window, texts::kSetupTitle);
  EXPECT_EQ(e2e::Caption(window), e2e::Wide1256(texts::kSetupWindowTitle));

  // The exit confirmation over it adds no button.
  e2e::ClickControl(window, kCancel);
  HWND exitWindow = e2e::WaitWindow(setup, "TForm5");
  ASSERT_TRUE(exitWindow);
  ExpectOneButtonOwning(setup, exitWindow, texts::kSetupTitle);
  e2e::ClickControl(exitWindow, kExitLabel1);
  EXPECT_TRUE(e2e::WaitHidden(exitWindow));
}

TEST(Taskbar, TheUninstallersButtonCarriesItsApplicationTitle) {
  const std::string folder = e2e::NewTestFolder("taskbar-uninstall");
  e2e::WriteFile(folder + "\\INSTALL.CFG", "One\r\nTwo\r\nThree\r\nP\r\nS\r\nSix\r\n");
  e2e::CopyFileTo(e2e::ProgramPath("uninstall.exe"), folder + "\\Uninstall.exe");
  e2e::Process uninstaller(folder + "\\Uninstall.exe", folder);
  HWND window = e2e::WaitWindow(uninstaller, "TForm1");
  ASSERT_TRUE(window);
  ExpectOneButtonOwning(uninstaller, window, texts::kUninstallTitle);
  e2e::CloseBox(window);
  EXPECT_EQ(uninstaller.WaitExit(), 0);
}
