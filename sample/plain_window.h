// One top-level window of its own class and the message loop that runs it until it is
// closed: the whole of the sample product and of the bench's minimal window.
#pragma once
#include <windows.h>

struct PlainWindow {
  const wchar_t* className;
  const wchar_t* title;
  WNDPROC procedure;
  int width, height;
  DWORD extendedStyle;
  int background;  // a system colour index
};

inline int RunPlainWindow(HINSTANCE instance, const PlainWindow& plain) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = plain.procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(INT_PTR)(plain.background + 1);
  windowClass.lpszClassName = plain.className;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(plain.extendedStyle, plain.className, plain.title,
                                WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, plain.width,
                                plain.height, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
