// The application window, the message dialogs with their buttons labelled the same under
// every Windows language, the failure box, the message loop with its one-pass pump, and work
// run on a thread of its own while the windows answer.
#include "ui/dialogs.h"

#include "core/display.h"
#include "core/texts.h"
#include "win/scoped.h"
#include "win/text.h"

#include <objbase.h>

#include <exception>

namespace ui {
namespace {
HWND applicationWindow = nullptr;
HWND mainWindow = nullptr;
std::string applicationTitle;

// Activating the application window (its taskbar button) activates the form last active;
// closing it (the taskbar's menu) asks the main window to close, as its close box does.
LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE: {
      HWND form = GetLastActivePopup(window);
      if (LOWORD(wParam) == WA_INACTIVE || form == window || !IsWindowVisible(form) ||
          !IsWindowEnabled(form))
        break;
      SetActiveWindow(form);
      return 0;
    }
    case WM_CLOSE:
      if (mainWindow) PostMessageW(mainWindow, WM_CLOSE, 0, 0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

HWND ApplicationWindow() { return applicationWindow; }
void SetMainWindow(HWND window) { mainWindow = window; }

void SetApplicationTitle(const char* bytes) {
  applicationTitle = bytes;
  const std::wstring title = ToWide(bytes);
  if (applicationWindow) {
    SetWindowTextW(applicationWindow, title.c_str());
    return;
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW application = {};
  application.lpfnWndProc = ApplicationProc;
  application.hInstance = instance;
  application.hIcon = LoadIconW(instance, L"MAINICON");
  application.lpszClassName = L"SkinApplication";
  RegisterClassW(&application);
  // No size: shown, it gives the program its taskbar button and covers nothing.
  applicationWindow = CreateWindowExW(
      0, application.lpszClassName, title.c_str(),
      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS, GetSystemMetrics(SM_CXSCREEN) / 2,
      GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, nullptr);
}

namespace {
// The buttons of the message dialogs read "OK", "&Yes" and "&No" whatever the language of
// the Windows they run on: Windows labels them in the user's language where that language
// is installed, even when asked for English, so they are relabelled as the dialog of the
// box is activated, before it is drawn. The button IDs stay the standard ones.
HHOOK buttonHook = nullptr;

LRESULT CALLBACK LabelButtons(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND dialog = reinterpret_cast<HWND>(wParam);
    wchar_t name[16] = L"";
    GetClassNameW(dialog, name, 16);
    if (lstrcmpW(name, L"#32770") == 0) {
      const struct {
        int id;
        const wchar_t* text;
      } labels[] = {{IDOK, L"OK"}, {IDYES, L"&Yes"}, {IDNO, L"&No"}};
      for (const auto& label : labels)
        if (HWND button = GetDlgItem(dialog, label.id)) SetWindowTextW(button, label.text);
    }
  }
  return CallNextHookEx(buttonHook, code, wParam, lParam);
}

// Message boxes are modal over the active window of the program, or over the whole program
// when none is active (before the first window is shown).
int Box(const std::wstring& text, const std::wstring& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  const bool outermost = !buttonHook;
  if (outermost)
    buttonHook = SetWindowsHookExW(WH_CBT, LabelButtons, nullptr, GetCurrentThreadId());
  const int answer =
      MessageBoxW(owner, text.c_str(), caption.c_str(), flags | (owner ? 0 : MB_TASKMODAL));
  if (outermost && buttonHook) {
    UnhookWindowsHookEx(buttonHook);
    buttonHook = nullptr;
  }
  return answer;
}
int PersianBox(const std::string& text, const char* caption, UINT flags) {
  return Box(ToWide(text), ToWide(caption), flags | MB_RTLREADING | MB_RIGHT);
}
}  // namespace

void ShowFailure(const std::string& text) {
  Box(ToWide(FailureBoxText(text)), ToWide(applicationTitle), MB_OK | MB_ICONSTOP);
}

void ShowInformation(const std::string& text) {
  PersianBox(text, texts::kInformationCaption, MB_OK | MB_ICONINFORMATION);
}
void ShowWarning(const std::string& text) {
  PersianBox(text, texts::kWarningCaption, MB_OK | MB_ICONWARNING);
}
bool Confirm(const std::string& text) {
  return PersianBox(text, texts::kConfirmCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

void ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage((int)message.wParam);  // for the loop that owns it
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

namespace {
bool hourglass = false;

struct Work {
  const std::function<void()>& run;
  std::exception_ptr failure;
};

DWORD WINAPI RunWork(void* context) {
  Work& work = *static_cast<Work*>(context);
  const HRESULT com = CoInitialize(nullptr);
  try {
    work.run();
  } catch (...) {
    work.failure = std::current_exception();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
}  // namespace

bool ShowsHourglass() { return hourglass; }

void RunAnswering(const std::function<void()>& run, Pointer pointer) {
  Work work{run, nullptr};
  ScopedHandle thread(CreateThread(nullptr, 0, RunWork, &work, 0, nullptr));
  if (!thread.held()) {
    run();  // no thread to be had: the work runs here, without answering meanwhile
    return;
  }
  const bool hadHourglass = hourglass;
  if (pointer == Pointer::kHourglass) {
    hourglass = true;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
  }
  int quitCode = -1;  // a quit message is kept for the loop that owns it
  HANDLE running = thread.get();
  while (quitCode < 0 &&
         MsgWaitForMultipleObjects(1, &running, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message;
    while (quitCode < 0 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quitCode = (int)message.wParam;
      } else {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  WaitForSingleObject(running, INFINITE);
  hourglass = hadHourglass;
  if (pointer == Pointer::kHourglass && !hadHourglass) SetCursor(LoadCursor(nullptr, IDC_ARROW));
  if (quitCode >= 0) PostQuitMessage(quitCode);
  if (work.failure) std::rethrow_exception(work.failure);
}

void EndProgram() { ExitProcess(0); }

}  // namespace ui
