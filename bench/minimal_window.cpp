// The platform's side of the start-up case of make bench: the least a program does to show
// a window of the installer's size and answer it, one 800 x 560 window with a message loop.
#include "sample/plain_window.h"

namespace {
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunPlainWindow(instance,
                        {L"BenchWindow", L"Bench", WindowProc, 800, 560, 0, COLOR_BTNFACE});
}
