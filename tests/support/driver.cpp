#include "tests/support/driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace e2e {

std::string ProgramPath(const std::string& fileName) {
  const char* programs = std::getenv("E2E_PROGRAMS");
  return WindowsPath(programs && *programs ? programs : BIN_DIR) + "\\" + fileName;
}

Process::Process(const std::string& program, const std::string& currentFolder) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + Wide1256(program) + L"\"";
  if (!CreateProcessW(Wide1256(program).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                      nullptr, currentFolder.empty() ? nullptr : Wide1256(currentFolder).c_str(),
                      &startup, &info_))
    throw std::runtime_error("cannot start " + program + ": error " +
                             std::to_string(GetLastError()));
}

Process::~Process() {
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 255);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

long Process::WaitExit(DWORD timeoutMs) const {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return (long)code;
}

bool WaitChildrenGone(DWORD parentId, DWORD timeoutMs) {
  std::vector<HANDLE> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ParentProcessID != parentId) continue;
    // Wine's desktop and RPC processes are started by the first process of a prefix that
    // needs them and live as long as its wineserver: not what a test waits for.
    if (lstrcmpiA(entry.szExeFile, "explorer.exe") == 0 ||
        lstrcmpiA(entry.szExeFile, "rpcss.exe") == 0)
      continue;
    // A child that ended between the listing and this call needs no waiting.
    if (HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID))
      children.push_back(child);
  }
  CloseHandle(snapshot);
  const DWORD start = GetTickCount();
  bool allGone = true;
  for (HANDLE child : children) {
    const DWORD spent = GetTickCount() - start;
    if (WaitForSingleObject(child, spent < timeoutMs ? timeoutMs - spent : 0) != WAIT_OBJECT_0)
      allGone = false;
    CloseHandle(child);
  }
  return allGone;
}

namespace {
struct Search {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  if (owner == search->processId && IsWindowVisible(window) &&
      lstrcmpA(name, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

struct Listing {
  DWORD processId;
  std::string text;
};

// An enumeration callback is a named CALLBACK function: a lambda has the default calling
// convention, which is not the system's on 32-bit Windows.
BOOL CALLBACK ListWindow(HWND window, LPARAM data) {
  Listing* listing = reinterpret_cast<Listing*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != listing->processId) return TRUE;
  char name[256] = "", title[256] = "";
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, title, sizeof title);
  listing->text += std::string(" [") + name + (IsWindowVisible(window) ? " visible " : " hidden ") +
                   "\"" + title + "\"]";
  return TRUE;
}

// What a process shows when the window a test waits for does not come: whether it still
// runs, and each of its top-level windows (class, visible or not, title), on the test's output.
void ReportWindows(const Process& process, const char* className) {
  Listing listing = {process.id(), ""};
  EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&listing));
  const long code = process.WaitExit(0);
  fprintf(stderr, "no visible %s window of process %lu, which %s; its windows:%s\n", className,
          process.id(), code == -1 ? "still runs" : ("ended with " + std::to_string(code)).c_str(),
          listing.text.empty() ? " none" : listing.text.c_str());
}

template <typename Probe>
auto Poll(DWORD timeoutMs, Probe probe) -> decltype(probe()) {
  DWORD start = GetTickCount();
  for (;;) {
    auto result = probe();
    if (result || GetTickCount() - start >= timeoutMs) return result;
    Sleep(20);
  }
}
}  // namespace

HWND WaitWindow(const Process& process, const char* className, DWORD timeoutMs) {
  HWND found = Poll(timeoutMs, [&]() -> HWND {
    Search search = {process.id(), className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
  });
  if (!found && timeoutMs > 0) ReportWindows(process, className);
  return found;
}

HWND WaitDialog(const Process& process, DWORD timeoutMs) {
  return WaitWindow(process, "#32770", timeoutMs);
}

bool WaitGone(HWND window, DWORD timeoutMs) {
  return Poll(timeoutMs, [&] { return !IsWindow(window); });
}

bool WaitHidden(HWND window, DWORD timeoutMs) {
  return Poll(timeoutMs, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::wstring Caption(HWND window) { return Text(window); }

COLORREF ScreenPixel(HWND window, int x, int y) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  POINT point = {x, y};
  ClientToScreen(window, &point);
  HDC screen = GetDC(nullptr);
  COLORREF color = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return color;
}

std::wstring Text(HWND window) {
  wchar_t buffer[4096] = L"";
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      5000, nullptr);
  return buffer;
}

std::wstring DialogMessage(HWND dialog) {
  // The message box's text is its static control with ID 0xFFFF.
  HWND text = GetDlgItem(dialog, 0xFFFF);
  return text ? Text(text) : std::wstring();
}

std::vector<std::wstring> DialogButtons(HWND dialog) {
  std::vector<std::wstring> buttons;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0) buttons.push_back(Text(child));
  }
  return buttons;
}

void PressButton(HWND dialog, const std::wstring& text) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0 && Text(child) == text) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                   reinterpret_cast<LPARAM>(child));
      return;
    }
  }
  throw std::runtime_error("no such button in the dialog");
}

void Answer(HWND dialog, const std::wstring& caption, const std::wstring& message,
            const std::wstring& button) {
  if (!dialog) {
    ADD_FAILURE() << "no dialog came";
    return;
  }
  EXPECT_EQ(Caption(dialog), caption);
  EXPECT_EQ(DialogMessage(dialog), message);
  const std::vector<std::wstring> buttons = DialogButtons(dialog);
  if (std::find(buttons.begin(), buttons.end(), button) != buttons.end()) {
    PressButton(dialog, button);
    return;
  }
  // Closed all the same, so that the program or thread showing it goes on.
  ADD_FAILURE() << "the dialog has no button " << Narrow1256(button);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
}

namespace {
// Clicks the child window lying at a point in the client area of the window.
void Click(HWND window, int x, int y) {
  POINT point = {x, y};
  HWND target = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
  if (!target) target = window;
  MapWindowPoints(window, target, &point, 1);
  LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageW(target, WM_MOUSEMOVE, 0, at);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(target, WM_LBUTTONUP, 0, at);
}

struct IdSearch {
  int id;
  HWND found;
};
BOOL CALLBACK MatchId(HWND window, LPARAM data) {
  IdSearch* search = reinterpret_cast<IdSearch*>(data);
  if (GetDlgCtrlID(window) == search->id) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND Control(HWND window, int id) {
  IdSearch search = {id, nullptr};
  EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ClickControl(HWND window, int id) {
  HWND control = Control(window, id);
  if (!control) throw std::runtime_error("no control " + std::to_string(id));
  const RECT rect = ChildRect(control);
  Click(GetParent(control), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void PressKey(HWND window, UINT virtualKey, wchar_t character) {
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  if (character) PostMessageW(window, WM_CHAR, character, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

void CloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

SharedShellFoldersLock::SharedShellFoldersLock()
    : mutex_(CreateMutexA(nullptr, FALSE, "e2e.SharedShellFolders")) {
  WaitForSingleObject(mutex_, INFINITE);
}

SharedShellFoldersLock::~SharedShellFoldersLock() {
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) { return Poll(timeoutMs, done); }

}  // namespace e2e
