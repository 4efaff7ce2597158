// Clicks a control of a program's window by its control ID, for scripts that drive our
// programs under Wine (scripts/screenshots): click_control <window class> <control ID>; or
// picks a drive in the folder chooser: click_control TForm4 drive <letter>. Waits up to ten
// seconds for a visible top-level window of that class; exit code 1 when none comes or it has
// no such control or drive.
#include "tests/support/driver.h"
#include "tests/support/setup_driver.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {
BOOL CALLBACK MatchVisible(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<std::pair<const char*, HWND>*>(data);
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  if (!IsWindowVisible(window) || lstrcmpA(name, search->first) != 0) return TRUE;
  search->second = window;
  return FALSE;
}
}  // namespace

int main(int argc, char** argv) {
  const bool drive = argc == 4 && lstrcmpA(argv[2], "drive") == 0;
  if (argc != 3 && !drive) {
    fprintf(stderr, "usage: click_control <window class> <control ID> | TForm4 drive <letter>\n");
    return 2;
  }
  std::pair<const char*, HWND> search = {argv[1], nullptr};
  e2e::WaitUntil(
      [&] {
        EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&search));
        return search.second != nullptr;
      },
      10000);
  if (!search.second) {
    fprintf(stderr, "click_control: no window %s\n", argv[1]);
    return 1;
  }
  try {
    if (drive)
      e2e::PickDrive(search.second, argv[3][0]);
    else
      e2e::ClickControl(search.second, atoi(argv[2]));
  } catch (const std::exception& failure) {
    fprintf(stderr, "click_control: %s\n", failure.what());
    return 1;
  }
  return 0;
}
