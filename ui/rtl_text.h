// Measuring and drawing a label's text, right-to-left Persian lines included, with the label
// options of ui/kit.h.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// A label's text as the form measures and paints it, with the row's text options. A line of
// a centred or right-to-left label is measured and placed by the text output itself, which
// measures the joined letters it draws (under Wine, DrawText measures joined Persian text by
// its unjoined letters, too narrow, and places it too far left); other text goes through
// DrawText.
SIZE LabelTextSize(HDC dc, const std::wstring& text, unsigned options);
void DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, unsigned options);

}  // namespace ui
