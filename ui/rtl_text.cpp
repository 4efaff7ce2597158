// Label text through DrawText, or for a right-to-left line through the text output, which
// measures and places joined Persian letters as it draws them.
#include "ui/rtl_text.h"

#include "ui/kit.h"
#include "win/scoped.h"

namespace ui {
namespace {

UINT TextFlags(unsigned options) {
  const UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
  if (options & kCentredText) return flags | DT_CENTER | DT_RTLREADING;
  if (options & kRightToLeft) return flags | DT_RIGHT | DT_RTLREADING;
  return flags | DT_LEFT;
}

bool IsRightToLeftLine(const std::wstring& text, unsigned options) {
  return (options & (kCentredText | kRightToLeft)) &&
         text.find_first_of(L"\r\n\t") == std::wstring::npos;
}

}  // namespace

SIZE LabelTextSize(HDC dc, const std::wstring& text, unsigned options) {
  RECT measured = {0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), (int)text.size(), &measured, TextFlags(options) | DT_CALCRECT);
  SIZE size = {measured.right, measured.bottom};
  if (IsRightToLeftLine(text, options)) {
    // The width the text output advances by, drawn into a memory device of one pixel.
    ScopedMemoryDC memory(CreateCompatibleDC(dc));
    SelectedObject font(memory.get(), GetCurrentObject(dc, OBJ_FONT));
    SetTextAlign(memory.get(), TA_UPDATECP | TA_LEFT | TA_TOP | TA_RTLREADING);
    MoveToEx(memory.get(), 0, 0, nullptr);
    ExtTextOutW(memory.get(), 0, 0, ETO_RTLREADING, nullptr, text.c_str(), (UINT)text.size(),
                nullptr);
    POINT end = {0, 0};
    GetCurrentPositionEx(memory.get(), &end);
    size.cx = end.x;
  }
  return size;
}

void DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, unsigned options) {
  if (!IsRightToLeftLine(text, options)) {
    RECT area = rect;
    DrawTextW(dc, text.c_str(), (int)text.size(), &area, TextFlags(options));
    return;
  }
  const bool centred = options & kCentredText;
  const UINT align = SetTextAlign(dc, (centred ? TA_CENTER : TA_RIGHT) | TA_TOP | TA_RTLREADING);
  ExtTextOutW(dc, centred ? (rect.left + rect.right) / 2 : rect.right, rect.top, ETO_RTLREADING,
              nullptr, text.c_str(), (UINT)text.size(), nullptr);
  SetTextAlign(dc, align);
}

}  // namespace ui
