#include "ui/form.h"

#include "win/text.h"

#include <windows.h>

static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int RunMainWindow(const char* className, const char* title, int clientWidth, int clientHeight) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  std::wstring classNameWide = ToWide(className, CP_ACP);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = FormProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = classNameWide.c_str();
  RegisterClassW(&windowClass);

  DWORD style = WS_CAPTION | WS_SYSMENU | WS_BORDER;
  RECT frame = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_RTLREADING);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window = CreateWindowExW(WS_EX_RTLREADING, classNameWide.c_str(),
                                ToWide(title, kArabicCodePage).c_str(), style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
