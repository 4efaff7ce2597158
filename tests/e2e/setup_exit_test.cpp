// Every way of leaving the installer's main window: cancel, Escape and the close box open
// the exit confirmation TForm5; its check mark and Enter end the program at once with exit
// code 0, its cross and Escape return to the main window, which stays open.
#include "setup/controls.h"
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

namespace {

enum class Open { kCancel, kEscape, kCloseBox };
enum class Answer { kOk, kEnter, kLabel1, kEscape };

struct ExitPath {
  const char* name;
  Open open;
  Answer answer;
  bool ends;
};

void PrintTo(const ExitPath& path, std::ostream* out) { *out << path.name; }

class SetupExit : public testing::TestWithParam<ExitPath> {};

const RECT kCancelRect = {705, 446, 705 + 49, 446 + 45};
const RECT kOkRect = {107, 161, 107 + 44, 161 + 40};
const RECT kLabel1Rect = {24, 161, 24 + 41, 161 + 40};

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
    case Open::kCancel: e2e::ClickRect(window, kCancelRect); break;
    case Open::kEscape: e2e::PressKey(window, VK_ESCAPE, 27); break;
    case Open::kCloseBox: e2e::CloseBox(window); break;
  }
  HWND exitBox = e2e::WaitWindow(setup, "TForm5");
  ASSERT_TRUE(exitBox);
  switch (path.answer) {
    case Answer::kOk: e2e::ClickRect(exitBox, kOkRect); break;
    case Answer::kEnter: e2e::PressKey(exitBox, VK_RETURN, 13); break;
    case Answer::kLabel1: e2e::ClickRect(exitBox, kLabel1Rect); break;
    case Answer::kEscape: e2e::PressKey(exitBox, VK_ESCAPE, 27); break;
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
    testing::Values(ExitPath{"CancelThenOk", Open::kCancel, Answer::kOk, true},
                    ExitPath{"CancelThenEnter", Open::kCancel, Answer::kEnter, true},
                    ExitPath{"CancelThenCross", Open::kCancel, Answer::kLabel1, false},
                    ExitPath{"EscapeThenEscape", Open::kEscape, Answer::kEscape, false},
                    ExitPath{"EscapeThenOk", Open::kEscape, Answer::kOk, true},
                    ExitPath{"CloseBoxThenCross", Open::kCloseBox, Answer::kLabel1, false},
                    ExitPath{"CloseBoxThenEnter", Open::kCloseBox, Answer::kEnter, true}),
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
