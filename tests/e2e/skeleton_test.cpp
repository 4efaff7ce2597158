// Each program opens its main window and ends with exit code 0 when it is closed.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

class ProgramWindow : public testing::TestWithParam<const char*> {};

TEST_P(ProgramWindow, ClosesWithExitCodeZero) {
  e2e::Process program(e2e::ProgramPath(GetParam()), e2e::NewTestFolder("skeleton"));
  HWND window = e2e::WaitWindow(program, "TForm1");
  ASSERT_TRUE(window);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 790);
  EXPECT_EQ(client.bottom, 534);
  e2e::CloseBox(window);
  EXPECT_EQ(program.WaitExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramWindow, testing::Values("setup.exe", "uninstall.exe"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param).substr(0, std::string(info.param).find('.'));
                         });
