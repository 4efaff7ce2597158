// Drives our real programs under Wine the way a user does: start a program in a folder,
// find its windows by class, click at client coordinates, press keys, read and answer
// message dialogs (class #32770), wait for the process and read its exit code.
#pragma once
#include "tests/support/files.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The built program of that name (setup.exe, uninstall.exe) as a Windows path: of this build,
// or of the build folder E2E_PROGRAMS names (the 32-bit programs, driven under WoW64).
std::string ProgramPath(const std::string& fileName);

// A started program; ended by force when the object goes away still running.
class Process {
 public:
  Process(const std::string& program, const std::string& currentFolder);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  DWORD id() const { return info_.dwProcessId; }
  // The exit code, or -1 when the process is still running after the timeout.
  long WaitExit(DWORD timeoutMs = 10000) const;

 private:
  PROCESS_INFORMATION info_ = {};
};

// Waits until every process that the process with this ID started has ended (the
// uninstaller's removal script runs in a command interpreter it starts), Wine's desktop and
// RPC processes left aside; false when one still runs after the timeout. The parent's ID must still
// be held (a handle open to it), so that the system has not given it to another process.
bool WaitChildrenGone(DWORD parentId, DWORD timeoutMs);

// The first visible top-level window of the process with that class; null after the timeout.
HWND WaitWindow(const Process& process, const char* className, DWORD timeoutMs = 10000);
// A message dialog of the process (class #32770).
HWND WaitDialog(const Process& process, DWORD timeoutMs = 10000);
// Waits until the window is gone; false after the timeout.
bool WaitGone(HWND window, DWORD timeoutMs = 10000);

std::wstring Text(HWND window);
// The message of a message dialog and the texts of its buttons, in child order.
std::wstring DialogMessage(HWND dialog);
std::vector<std::wstring> DialogButtons(HWND dialog);
// Presses the dialog button whose text is given ("OK", "&Yes", "&No").
void PressButton(HWND dialog, const std::wstring& text);
// Answers a message dialog as a user does who reads it first: checks its caption and its
// message (a difference fails the running test), then presses the button with that text.
// A missing dialog (null) fails the test.
void Answer(HWND dialog, const std::wstring& caption, const std::wstring& message,
            const std::wstring& button);

// The child of a window with that control ID (searched through all descendants).
HWND Control(HWND window, int id);
// Client rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child);

// Clicks the middle of the control with that ID (a child of the window or of one of its
// children), as the program's layout places it; throws when there is no such control.
void ClickControl(HWND window, int id);
// A key as the keyboard gives it: key down, its character, key up.
void PressKey(HWND window, UINT virtualKey, wchar_t character);
// The close box.
void CloseBox(HWND window);

// Waits until the window is hidden (or gone); false after the timeout.
bool WaitHidden(HWND window, DWORD timeoutMs = 10000);
// The caption of a top-level window or dialog.
std::wstring Caption(HWND window);
// The colour on screen at a client point of the window, after raising it above every other
// window and letting it repaint (for checking what a window shows).
COLORREF ScreenPixel(HWND window, int x, int y);

// Polls until done() holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Held while a test creates or removes what all tests of a run share: the start-menu group
// folder, the desktop and the "Shell Folders" values, so that tests running at the same time
// in one prefix never see each other's changes.
class SharedShellFoldersLock {
 public:
  SharedShellFoldersLock();
  ~SharedShellFoldersLock();
  SharedShellFoldersLock(const SharedShellFoldersLock&) = delete;
  SharedShellFoldersLock& operator=(const SharedShellFoldersLock&) = delete;

 private:
  HANDLE mutex_;
};

}  // namespace e2e
