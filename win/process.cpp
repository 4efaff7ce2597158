#include "win/process.h"

#include "win/scoped.h"
#include "win/text.h"

#include <windows.h>

bool StartHidden(const std::string& commandLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION started = {};
  std::wstring line = ToWide(commandLine);  // CreateProcessW may write into the line
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started))
    return false;
  ScopedHandle process(started.hProcess), thread(started.hThread);
  return true;
}
