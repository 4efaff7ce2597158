// The sample product that the sample medium installs: one window saying it is installed.
#include "sample/plain_window.h"

static const wchar_t kMessage[] =
    L"\u062F\u0641\u062A\u0631 \u062D\u0633\u0627\u0628 \u0646\u0645\u0648\u0646\u0647 "
    L"\u0646\u0635\u0628 \u0634\u062F\u0647 \u0627\u0633\u062A";  // the sample is installed

static LRESULT CALLBACK ProductProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      // Centred by the text output itself, which measures the joined letters it draws
      // (Wine's DrawText centres by the width of the unjoined ones, too far left).
      RECT client;
      GetClientRect(window, &client);
      HFONT font =
          CreateFontW(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, ARABIC_CHARSET, 0, 0, 0, 0, L"Tahoma");
      HGDIOBJ old = SelectObject(dc, font);
      SetBkMode(dc, TRANSPARENT);
      SetTextAlign(dc, TA_CENTER | TA_TOP | TA_RTLREADING);
      TextOutW(dc, client.right / 2, client.bottom / 2 - 12, kMessage, lstrlenW(kMessage));
      SelectObject(dc, old);
      DeleteObject(font);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunPlainWindow(instance, {L"SampleProduct", kMessage, ProductProc, 480, 200,
                                   WS_EX_RTLREADING, COLOR_WINDOW});
}
