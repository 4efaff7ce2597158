// Times one run of a make bench case under Wine, as a user would see it, and prints its
// figures on one line. The installer and the uninstaller are started by scripts/bench (so
// that perf can count their requests); the driver finds their window in the prefix.
//
//   bench_driver startup <program> <folder> <window class>
//       milliseconds from starting the program until its window shows and answers
//   bench_driver install
//       seconds from the click on Next1 to the final message, and the longest time in
//       milliseconds the main window left a message unanswered meanwhile
//   bench_driver remove <install folder>
//       seconds from the click on the uninstaller's button to its success message and to the
//       install folder gone, and the longest unanswered time in milliseconds
//   bench_driver run <command line>
//       seconds the command ran (the platform's copy tool)
#include "setup/controls.h"
#include "tests/support/driver.h"
#include "tests/support/setup_driver.h"
#include "uninstall/controls.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

// Polls every interval; the start-up case, which measures tens of milliseconds, every
// millisecond, the others less often, as each look costs the programs measured some time.
template <typename Probe>
auto Poll(double timeoutSeconds, DWORD intervalMs, Probe probe) -> decltype(probe()) {
  const double start = Seconds();
  for (;;) {
    auto result = probe();
    if (result || Seconds() - start >= timeoutSeconds) return result;
    Sleep(intervalMs);
  }
}

// The visible top-level window of that class in the prefix (of that process, when given).
HWND FindShown(const wchar_t* className, DWORD processId = 0) {
  for (HWND window = FindWindowW(className, nullptr); window;
       window = FindWindowExW(nullptr, window, className, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && (!processId || owner == processId)) return window;
  }
  return nullptr;
}

bool Answers(HWND window, DWORD timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

// Sends WM_NULL to a window every 50 ms from a thread of its own and keeps the longest time
// a message took to be answered.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window) : window_(window) {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  }
  ~AnswerWatch() { Stop(); }
  // The longest time in milliseconds.
  double Stop() {
    if (thread_) {
      stop_ = true;
      WaitForSingleObject(thread_, INFINITE);
      CloseHandle(thread_);
      thread_ = nullptr;
    }
    return longest_ * 1000;
  }

 private:
  static DWORD WINAPI Run(void* self) {
    auto* watch = static_cast<AnswerWatch*>(self);
    while (!watch->stop_ && IsWindow(watch->window_)) {
      const double start = Seconds();
      Answers(watch->window_, 60000);
      watch->longest_ = std::max(watch->longest_, Seconds() - start);
      Sleep(50);
    }
    return 0;
  }

  HWND window_;
  HANDLE thread_ = nullptr;
  volatile bool stop_ = false;
  double longest_ = 0;
};

int Fail(const char* what) {
  fprintf(stderr, "bench_driver: %s\n", what);
  return 1;
}

int StartUp(const std::string& program, const std::string& folder, const std::string& className) {
  const std::wstring wideClass(className.begin(), className.end());
  const double start = Seconds();
  e2e::Process process(program, folder);
  HWND window = Poll(30, 1, [&] { return FindShown(wideClass.c_str(), process.id()); });
  if (!window || !Answers(window, 30000)) return Fail("no window");
  printf("%.1f\n", (Seconds() - start) * 1000);
  return 0;  // the process is ended by force as it goes
}

// Clicks a control of the program's window and waits for its message dialog, which it
// answers with OK: the seconds from the click to the message, the longest unanswered time in
// milliseconds meanwhile, and the time of the click. Zero seconds when something is missing.
struct ClickedRun {
  double seconds = 0, longestMs = 0, start = 0;
};
ClickedRun ClickUntilMessage(int control) {
  ClickedRun run;
  HWND window = Poll(60, 5, [] { return FindShown(L"TForm1"); });
  if (!window || !Answers(window, 30000)) return run;
  AnswerWatch watch(window);
  run.start = Seconds();
  e2e::ClickControl(window, control);
  HWND dialog = Poll(600, 5, [] { return FindShown(L"#32770"); });
  const double elapsed = Seconds() - run.start;
  run.longestMs = watch.Stop();
  if (!dialog) return run;
  e2e::PressButton(dialog, L"OK");
  run.seconds = elapsed;
  return run;
}

int Install() {
  const ClickedRun run = ClickUntilMessage(kNext1);
  if (!run.seconds) return Fail("no installer window or no final message");
  printf("%.3f %.1f\n", run.seconds, run.longestMs);
  return 0;
}

int Remove(const std::string& installFolder) {
  const ClickedRun run = ClickUntilMessage(kUninstallOk);
  if (!run.seconds) return Fail("no uninstaller window or no success message");
  const bool gone = Poll(
      600, 5, [&] { return GetFileAttributesA(installFolder.c_str()) == INVALID_FILE_ATTRIBUTES; });
  if (!gone) return Fail("the install folder stays");
  printf("%.3f %.3f %.1f\n", run.seconds, Seconds() - run.start, run.longestMs);
  return 0;
}

int Run(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  const double start = Seconds();
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return Fail("cannot start the command");
  WaitForSingleObject(info.hProcess, INFINITE);
  const double elapsed = Seconds() - start;
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (code != 0) return Fail("the command failed");
  printf("%.3f\n", elapsed);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "startup" && argc == 5) return StartUp(argv[2], argv[3], argv[4]);
  if (command == "install" && argc == 2) return Install();
  if (command == "remove" && argc == 3) return Remove(argv[2]);
  if (command == "run" && argc >= 3) {
    std::string line;
    for (int i = 2; i < argc; ++i) line += (i > 2 ? " " : "") + std::string(argv[i]);
    return Run(line);
  }
  return Fail(
      "usage: startup <program> <folder> <class> | install | remove <folder> | run <command>");
}
