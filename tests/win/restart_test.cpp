// The restart request under Wine, in a prefix of its own: Wine's ExitWindowsEx ends the
// windowed programs of the prefix (with exit code 0) and nothing outside Wine. The request
// is made by a child copy of this test program, which has no window: it gets the call back
// and goes on, while the test watches both.
#include "setup/system/restart.h"

#include "tests/support/driver.h"
#include "tests/win/system_test_support.h"
#include "win/files.h"

#include <gtest/gtest.h>

using namespace system_test;

namespace {
std::string MarkerPath() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "restart-returned.txt";
}

std::string ThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

DWORD RunUntilExit(PROCESS_INFORMATION& info, DWORD timeoutMs) {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(info.hProcess, &code);
  return code;
}

PROCESS_INFORMATION Start(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string line = commandLine;
  EXPECT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info))
      << commandLine;
  return info;
}
}  // namespace

// Run only as the child of the test below.
TEST(RestartChild, DISABLED_AsksForRestartThenExits) {
  RestartWindows(WindowsVersion{6, 1});
  e2e::WriteFile(MarkerPath(), "returned");
  ExitProcess(7);
}

TEST(RestartInOwnPrefix, ExitWindowsEndsTheWindowedProgramsOfThePrefix) {
  DeleteFileA(MarkerPath().c_str());
  PROCESS_INFORMATION notepad = Start("notepad.exe");
  HWND window = nullptr;
  for (int i = 0; i < 100 && !window; ++i, Sleep(100)) window = FindWindowA("Notepad", nullptr);
  ASSERT_NE(window, nullptr);

  PROCESS_INFORMATION child = Start("\"" + ThisProgram() +
                                    "\" --gtest_also_run_disabled_tests "
                                    "--gtest_filter=RestartChild.DISABLED_AsksForRestartThenExits");
  EXPECT_EQ(RunUntilExit(child, 30000), 7u);
  EXPECT_TRUE(FileExists(MarkerPath()));
  EXPECT_EQ(RunUntilExit(notepad, 10000), 0u);
  CloseHandle(child.hProcess);
  CloseHandle(child.hThread);
  CloseHandle(notepad.hProcess);
  CloseHandle(notepad.hThread);
}
