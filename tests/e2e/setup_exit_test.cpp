// Every way of leaving the installer's main window: cancel, Escape and the close box open
// the exit confirmation TForm5; its check mark and Enter end the program at once with exit
// code 0, its cross and Escape return to the main window, which stays open.
#include "setup/controls.h"
#include "tests/support/driver.h"

#include <gtest/gtest.h>

namespace {

enum class Open { kCancel, kEscape, kCloseBox };
enum class Reply { kOk, kEnter, kLabel1, kEscape };

struct ExitPath {
  const char* name;
  Open open;
  Reply answer;
  bool ends;
};

void PrintTo(const ExitPath& path, std::ostream* out) { *out << path.name; }

class SetupExit : public testing::TestWithParam<ExitPath> {};

std::string Medium(const char* name) {
  std::string folder = e2e::NewTestFolder(std::string("exit-") + name);
  e2e::WriteFile(folder + "\\REG.CFG", "T1\r\nT2\r\nF\r\nAccounts\r\np\r\n");
  return folder;
}

}  // namespace

TEST_P(SetupExit, BehavesAsTheExitConfirmationSays) {
  const ExitPath& path = GetParam();
  e2e::Process setup(e2e::ProgramPath("setup.exe"), Medium(path.name));
  HWND window = e2e::WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  switch (path.open) {
    case Open::kCancel:
      e2e::ClickControl(window, kCancel);
      break;
    case Open::kEscape:
      e2e::PressKey(window, VK_ESCAPE, 27);
      break;
    case Open::kCloseBox:
      e2e::CloseBox(window);
      break;
  }
  HWND exitBox = e2e::WaitWindow(setup, "TForm5");
  ASSERT_TRUE(exitBox);
  switch (path.answer) {
    case Reply::kOk:
      e2e::ClickControl(exitBox, kExitOk);
      break;
    case Reply::kEnter:
      e2e::PressKey(exitBox, VK_RETURN, 13);
      break;
    case Reply::kLabel1:
      e2e::ClickControl(exitBox, kExitLabel1);
      break;
    case Reply::kEscape:
      e2e::PressKey(exitBox, VK_ESCAPE, 27);
      break;
  }
  if (path.ends) {
    EXPECT_EQ(setup.WaitExit(), 0);
    return;
  }
  EXPECT_TRUE(e2e::WaitHidden(exitBox));
  EXPECT_EQ(setup.WaitExit(300), -1);  // still running
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindowEnabled(window));
  // The confirmation opens again from where the installer was.
  e2e::PressKey(window, VK_ESCAPE, 27);
  EXPECT_TRUE(e2e::WaitWindow(setup, "TForm5"));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SetupExit,
    testing::Values(ExitPath{"CancelThenOk", Open::kCancel, Reply::kOk, true},
                    ExitPath{"CancelThenEnter", Open::kCancel, Reply::kEnter, true},
                    ExitPath{"CancelThenCross", Open::kCancel, Reply::kLabel1, false},
                    ExitPath{"EscapeThenEscape", Open::kEscape, Reply::kEscape, false},
                    ExitPath{"EscapeThenOk", Open::kEscape, Reply::kOk, true},
                    ExitPath{"CloseBoxThenCross", Open::kCloseBox, Reply::kLabel1, false},
                    ExitPath{"CloseBoxThenEnter", Open::kCloseBox, Reply::kEnter, true}),
    [](const testing::TestParamInfo<ExitPath>& info) { return std::string(info.param.name); });

// Enter on the main window does nothing; neither do other keys.
TEST(SetupExit, EnterOnTheMainWindowDoesNothing) {
  std::string folder = e2e::NewTestFolder("exit-enter");
  e2e::WriteFile(folder + "\\REG.CFG", "T1\r\n\r\n\r\n\r\np\r\n");
  e2e::Process setup(e2e::ProgramPath("setup.exe"), folder);
  HWND window = e2e::WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  e2e::PressKey(window, VK_RETURN, 13);
  e2e::PressKey(window, 'A', L'a');
  EXPECT_FALSE(e2e::WaitWindow(setup, "TForm5", 500));
  EXPECT_EQ(setup.WaitExit(0), -1);
}
