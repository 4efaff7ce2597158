#include "ui/kit.h"

#include "core/display.h"
#include "core/texts.h"
#include "ui/picture.h"
#include "win/text.h"

#include <commctrl.h>
#include <objbase.h>

#include <exception>

namespace ui {
namespace {

const wchar_t kControlClass[] = L"SkinControl";
const wchar_t kApplicationClass[] = L"SkinApplication";
std::string applicationTitle;
HWND applicationWindow = nullptr;
HWND mainWindow = nullptr;
// While RunAnswering runs work asking for it: the pointer over the windows is the hourglass.
bool busy = false;

RECT ToRect(const Rect& rect) {
  return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

void RegisterClasses(const std::wstring& formClass, WNDPROC formProc, WNDPROC controlProc) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW known;
  if (!GetClassInfoW(instance, kControlClass, &known)) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_ANIMATE_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW control = {};
    control.lpfnWndProc = controlProc;
    control.hInstance = instance;
    control.hCursor = LoadCursor(nullptr, IDC_ARROW);
    control.lpszClassName = kControlClass;
    RegisterClassW(&control);
  }
  if (!GetClassInfoW(instance, formClass.c_str(), &known)) {
    WNDCLASSW form = {};
    form.lpfnWndProc = formProc;
    form.hInstance = instance;
    form.hCursor = LoadCursor(nullptr, IDC_ARROW);
    form.hIcon = LoadIconW(instance, L"MAINICON");
    form.lpszClassName = formClass.c_str();
    RegisterClassW(&form);
  }
}

HFONT MakeFont(const Font& font) {
  return CreateFontW(-font.height, 0, 0, 0, font.weight ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                     font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH, ToWide(font.face).c_str());
}

UINT TextFlags(unsigned options) {
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS | ((options & kPathEllipsis) ? DT_PATH_ELLIPSIS : 0);
  if (options & kCentredText) return flags | DT_CENTER | DT_RTLREADING;
  if (options & kRightToLeft) return flags | DT_RIGHT | DT_RTLREADING;
  return flags | DT_LEFT;
}

bool IsRightToLeftLine(const std::wstring& text, unsigned options) {
  return (options & (kCentredText | kRightToLeft)) && !(options & kPathEllipsis) &&
         text.find_first_of(L"\r\n\t") == std::wstring::npos;
}

BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

struct Form::Item {
  Control row;
  Rect rect;
  bool visible;
  std::string text;  // the caption of a label, the hint of a hot-spot
  HWND window = nullptr;
  HFONT font = nullptr;
  std::unique_ptr<LoadedPicture> picture;
  int64_t maximum = 100, value = 0;
  int shownPercent = -1;  // what the gauge shows; -1 before its first value
  bool pressed = false;
};

Form::Form(const WindowLook& look, const Control* layout, size_t count) : look_(look) {
  for (size_t i = 0; i < count; ++i) {
    auto item = std::make_unique<Item>();
    item->row = layout[i];
    item->rect = layout[i].rect;
    item->visible = !(layout[i].options & kHidden);
    item->text = layout[i].content ? layout[i].content : "";
    items_.push_back(std::move(item));
  }
}

Form::~Form() {
  if (window_) DestroyWindow(window_);
  for (auto& item : items_)
    if (item->font) DeleteObject(item->font);
  if (windowFont_) DeleteObject(windowFont_);
  if (animationBrush_) DeleteObject(animationBrush_);
}

Form::Item* Form::Find(int id) const {
  for (auto& item : items_)
    if (item->row.id == id) return item.get();
  return nullptr;
}

HWND Form::control(int id) const {
  Item* item = Find(id);
  return item ? item->window : nullptr;
}

void Form::Create() {
  std::wstring className = ToWide(look_.className);
  RegisterClasses(className, WindowProc, ControlProc);
  // The form clips its children: native controls draw themselves, and an update of the form
  // leaves them alone. The kit's own children are transparent and so not clipped out.
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  DWORD extended = WS_EX_RTLREADING | WS_EX_RIGHT;
  if (look_.frame != kNoBorderIcons) style |= WS_SYSMENU;
  if (look_.frame == kDialogCloseBox) extended |= WS_EX_DLGMODALFRAME;
  RECT frame = {0, 0, look_.clientWidth, look_.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, extended);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (look_.font.face) windowFont_ = MakeFont(look_.font);
  CreateWindowExW(extended, className.c_str(), ToWide(look_.title).c_str(),
                  style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, applicationWindow,
                  nullptr, GetModuleHandleW(nullptr), this);
  Guarded([&] { OnCreate(); });
}

void Form::MakeControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (auto& owned : items_) {
    Item& item = *owned;
    const Control& row = item.row;
    DWORD style = WS_CHILD | (item.visible ? WS_VISIBLE : 0);
    RECT rect = ToRect(item.rect);
    if (row.kind != Kind::Picture && row.kind != Kind::HotSpot && row.kind != Kind::Animation)
      item.font = MakeFont(row.font);
    if (row.kind == Kind::Animation) {
      item.window = CreateWindowExW(0, ANIMATE_CLASSW, L"",
                                    style | ACS_TRANSPARENT | ACS_CENTER, rect.left, rect.top,
                                    item.rect.width, item.rect.height, window_,
                                    (HMENU)(INT_PTR)row.id, instance, nullptr);
      if (!animationBrush_) animationBrush_ = CreateSolidBrush(row.fill);
      // The system's file-copy clip lives in shell32 as AVI resource 161.
      SendMessageW(item.window, ACM_OPENW, (WPARAM)LoadLibraryW(L"shell32.dll"),
                   (LPARAM)MAKEINTRESOURCEW(161));
    } else {
      item.window = CreateWindowExW(WS_EX_TRANSPARENT, kControlClass, L"", style, rect.left, rect.top,
                                    item.rect.width, item.rect.height, window_,
                                    (HMENU)(INT_PTR)row.id, instance, nullptr);
    }
    // Later rows lie on top of earlier ones.
    SetWindowPos(item.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (row.kind == Kind::Label || row.kind == Kind::HotSpot)
      SetWindowTextW(item.window, ToWide(item.text).c_str());
    if (row.kind == Kind::Label && (row.options & kAutoSize)) FitToText(item);
    if (row.kind == Kind::Gauge) SetGaugeValue(row.id, 0);
    if (row.kind == Kind::Picture && row.content && *row.content)
      item.picture = LoadPictureResource(row.content);
    if (row.kind == Kind::HotSpot && !item.text.empty()) {
      if (!tooltip_)
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   instance, nullptr);
      std::wstring hint = ToWide(item.text);
      TOOLINFOW tool = {};
      tool.cbSize = TTTOOLINFOW_V2_SIZE;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_RTLREADING;
      tool.hwnd = window_;
      tool.uId = (UINT_PTR)item.window;
      tool.lpszText = &hint[0];
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, (LPARAM)&tool);
    }
  }
}

// A label sized to its text keeps its left edge; an empty text measures as one space.
void Form::FitToText(Item& item) {
  std::wstring text = ToWide(item.text);
  if (text.empty()) text = L" ";
  HDC dc = GetDC(window_);
  HGDIOBJ old = SelectObject(dc, item.font);
  SIZE measured = LabelTextSize(dc, text, item.row.options);
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
  SetBounds(item.row.id, {item.rect.left, item.rect.top, measured.cx, measured.cy});
}

void Form::Show() {
  main_ = true;
  mainWindow = window_;
  if (applicationWindow) ShowWindow(applicationWindow, SW_SHOWNA);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(window_);
  UpdateWindow(window_);
  Guarded([&] { OnShow(); });
}

void Form::ShowModal() {
  if (modal_) return;  // already showing: the caller goes on when it closes
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  HWND previous = GetActiveWindow();
  for (HWND other : disabled)
    if (other != window_) EnableWindow(other, FALSE);
  modal_ = true;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(window_);
  UpdateWindow(window_);
  Guarded([&] { OnShow(); });
  MSG message;
  while (modal_) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      PostQuitMessage((int)message.wParam);  // leave the outer loop too
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modal_ = false;
  // The others are enabled before this one hides, so that activation returns to them.
  for (HWND other : disabled)
    if (other != window_ && IsWindow(other)) EnableWindow(other, TRUE);
  ShowWindow(window_, SW_HIDE);
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
}

void Form::Close() {
  if (modal_)
    modal_ = false;
  else if (main_)
    DestroyWindow(window_);
  else
    ShowWindow(window_, SW_HIDE);
}

void Form::SetText(int id, const std::string& bytes) {
  Item* item = Find(id);
  if (!item) return;
  item->text = bytes;
  SetWindowTextW(item->window, ToWide(bytes).c_str());
  if (item->row.kind == Kind::Label && (item->row.options & kAutoSize)) FitToText(*item);
  RECT rect = ToRect(item->rect);
  InvalidateRect(window_, &rect, FALSE);
}

std::string Form::Text(int id) const {
  Item* item = Find(id);
  return item ? item->text : std::string();
}

void Form::SetVisible(int id, bool visible) {
  Item* item = Find(id);
  if (!item) return;
  item->visible = visible;
  ShowWindow(item->window, visible ? SW_SHOWNA : SW_HIDE);
  RECT rect = ToRect(item->rect);
  InvalidateRect(window_, &rect, FALSE);
}

bool Form::IsVisible(int id) const {
  Item* item = Find(id);
  return item && item->visible;
}

void Form::SetBounds(int id, Rect bounds) {
  Item* item = Find(id);
  if (!item) return;
  RECT old = ToRect(item->rect);
  item->rect = bounds;
  MoveWindow(item->window, bounds.left, bounds.top, bounds.width, bounds.height, FALSE);
  RECT now = ToRect(bounds), both;
  UnionRect(&both, &old, &now);
  InvalidateRect(window_, &both, FALSE);
}

Rect Form::Bounds(int id) const {
  Item* item = Find(id);
  return item ? item->rect : Rect{0, 0, 0, 0};
}

void Form::LoadPicture(int id, const std::string& path) {
  Item* item = Find(id);
  if (!item) return;
  item->picture = LoadPictureFile(path);
  RECT rect = ToRect(item->rect);
  InvalidateRect(window_, &rect, FALSE);
}

void Form::SetGaugeMax(int id, int64_t maximum) {
  Item* item = Find(id);
  if (!item) return;
  item->maximum = maximum;
  SetGaugeValue(id, item->value);
}

void Form::SetGaugeValue(int id, int64_t value) {
  Item* item = Find(id);
  if (!item) return;
  item->value = value < 0 ? 0 : value > item->maximum ? item->maximum : value;
  // The bar and its text show the whole percentage only: while it stays, nothing changes.
  const int percent = GaugePercent(item->value, item->maximum);
  if (percent == item->shownPercent) return;
  item->shownPercent = percent;
  SetWindowTextA(item->window, (std::to_string(percent) + "%").c_str());
  RECT rect = ToRect(item->rect);
  InvalidateRect(window_, &rect, FALSE);
}

int64_t Form::GaugeMax(int id) const {
  Item* item = Find(id);
  return item ? item->maximum : 0;
}

int64_t Form::GaugeValue(int id) const {
  Item* item = Find(id);
  return item ? item->value : 0;
}

void Form::StartAnimation(int id) {
  Item* item = Find(id);
  if (!item) return;
  // Frames 1 to 20, repeated; a shorter clip (Wine's placeholder) plays whole.
  if (!SendMessageW(item->window, ACM_PLAY, (WPARAM)-1, MAKELONG(0, 19)))
    SendMessageW(item->window, ACM_PLAY, (WPARAM)-1, MAKELONG(0, 0xFFFF));
}

void Form::StopAnimation(int id) {
  Item* item = Find(id);
  if (item) SendMessageW(item->window, ACM_STOP, 0, 0);
}

void Form::Repaint() { UpdateWindow(window_); }

// One pass: background, then every visible row in table order into a back buffer of the
// area to paint, which is copied to the window. The window's clipping leaves out the native
// child controls, which draw themselves.
void Form::Paint(HDC target, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  RECT client;
  GetClientRect(window_, &client);
  HDC buffer = CreateCompatibleDC(target);
  HBITMAP bits = CreateCompatibleBitmap(target, width, height);
  HGDIOBJ oldBits = SelectObject(buffer, bits);
  // The buffer's first pixel is the area's top-left corner: rows paint in client coordinates.
  SetWindowOrgEx(buffer, area.left, area.top, nullptr);
  IntersectClipRect(buffer, area.left, area.top, area.right, area.bottom);
  HBRUSH background = CreateSolidBrush(look_.background);
  FillRect(buffer, &client, background);
  DeleteObject(background);
  for (auto& item : items_)
    if (item->visible) PaintItem(buffer, *item);
  BitBlt(target, area.left, area.top, width, height, buffer, area.left, area.top, SRCCOPY);
  SelectObject(buffer, oldBits);
  DeleteObject(bits);
  DeleteDC(buffer);
}

void Form::PaintItem(HDC dc, const Item& item) {
  RECT rect = ToRect(item.rect);
  int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  switch (item.row.kind) {
    case Kind::Picture:
      if (item.picture) {
        bool centred = item.row.options & kCentred;
        int left = rect.left + (centred ? (item.rect.width - item.picture->width()) / 2 : 0);
        int top = rect.top + (centred ? (item.rect.height - item.picture->height()) / 2 : 0);
        item.picture->Draw(dc, left, top);
      }
      break;
    case Kind::Label: {
      std::wstring text = ToWide(item.text);
      SelectObject(dc, item.font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, item.row.font.color);
      DrawLabelText(dc, rect, text, item.row.options);
      break;
    }
    case Kind::Gauge: {
      // White background, the bar from the left, the percentage in the middle: in the
      // font's colour over the background and in white over the bar.
      int percent = GaugePercent(item.value, item.maximum);
      RECT bar = rect;
      bar.right = rect.left + MulDiv(item.rect.width, percent, 100);
      HBRUSH white = CreateSolidBrush(kWhite), fill = CreateSolidBrush(item.row.fill);
      FillRect(dc, &rect, white);
      FillRect(dc, &bar, fill);
      DeleteObject(white);
      DeleteObject(fill);
      std::wstring text = std::to_wstring(percent) + L"%";
      SelectObject(dc, item.font);
      SetBkMode(dc, TRANSPARENT);
      UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
      SaveDC(dc);
      ExcludeClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
      SetTextColor(dc, item.row.font.color);
      DrawTextW(dc, text.c_str(), (int)text.size(), &rect, flags);
      RestoreDC(dc, -1);
      IntersectClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
      SetTextColor(dc, kWhite);
      DrawTextW(dc, text.c_str(), (int)text.size(), &rect, flags);
      break;
    }
    case Kind::HotSpot:
    case Kind::Animation:
      break;
  }
  RestoreDC(dc, saved);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    Form* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  return form->Handle(message, wParam, lParam);
}

LRESULT Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] { handled = OnMessage(message, wParam, lParam, &result); });
  if (handled) return result;
  switch (message) {
    case WM_CREATE:
      MakeControls();
      return 0;
    case WM_GETFONT:
      return (LRESULT)windowFont_;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      Paint(dc, paint.rcPaint);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      if (animationBrush_) {
        for (auto& item : items_)
          if (item->row.kind == Kind::Animation && item->window == (HWND)lParam) {
            SetBkColor((HDC)wParam, item->row.fill);
            return (LRESULT)animationBrush_;
          }
      }
      break;
    case WM_SETCURSOR:
      if (!busy || LOWORD(lParam) != HTCLIENT) break;
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return TRUE;
    case WM_CHAR:
      Guarded([&] { OnKeyPress((int)wParam); });
      return 0;
    case WM_CLOSE: {
      bool close = false;
      Guarded([&] { close = OnCloseQuery(); });
      if (close) Close();
      return 0;
    }
    case WM_DESTROY:
      if (main_) {
        mainWindow = nullptr;
        PostQuitMessage(0);
      }
      window_ = nullptr;
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

// The kit's child windows draw nothing (the form paints them); a hot-spot takes the mouse
// with the hand cursor and reports a click (button down and up inside it) to the form.
LRESULT CALLBACK Form::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(GetParent(window), GWLP_USERDATA));
  Item* item = form ? form->Find(GetDlgCtrlID(window)) : nullptr;
  bool hotSpot = item && item->row.kind == Kind::HotSpot;
  switch (message) {
    case WM_NCHITTEST:
      return hotSpot ? HTCLIENT : HTTRANSPARENT;
    case WM_SETCURSOR:
      if (busy) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (!hotSpot) break;
      SetCursor(LoadCursor(nullptr, IDC_HAND));
      return TRUE;
    case WM_GETFONT:
      // A control without a font of its own (a hot-spot) has the window font.
      return (LRESULT)(item && item->font ? item->font : form ? form->windowFont_ : nullptr);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      ValidateRect(window, nullptr);
      return 0;
    case WM_LBUTTONDOWN:
      if (!hotSpot) break;
      item->pressed = true;
      SetCapture(window);
      return 0;
    case WM_LBUTTONUP: {
      if (!hotSpot) break;
      bool pressed = item->pressed;
      item->pressed = false;
      if (GetCapture() == window) ReleaseCapture();
      RECT client;
      GetClientRect(window, &client);
      POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
      int id = item->row.id;
      if (pressed && PtInRect(&client, at)) Guarded([&] { form->OnClick(id); });
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

SIZE LabelTextSize(HDC dc, const std::wstring& text, unsigned options) {
  RECT measured = {0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), (int)text.size(), &measured, TextFlags(options) | DT_CALCRECT);
  SIZE size = {measured.right, measured.bottom};
  if (IsRightToLeftLine(text, options)) {
    // The width the text output advances by, drawn into a memory device of one pixel.
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, GetCurrentObject(dc, OBJ_FONT));
    SetTextAlign(memory, TA_UPDATECP | TA_LEFT | TA_TOP | TA_RTLREADING);
    MoveToEx(memory, 0, 0, nullptr);
    ExtTextOutW(memory, 0, 0, ETO_RTLREADING, nullptr, text.c_str(), (UINT)text.size(), nullptr);
    POINT end = {0, 0};
    GetCurrentPositionEx(memory, &end);
    SelectObject(memory, old);
    DeleteDC(memory);
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

namespace {
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
  application.lpszClassName = kApplicationClass;
  RegisterClassW(&application);
  // No size: shown, it gives the program its taskbar button and covers nothing.
  applicationWindow = CreateWindowExW(0, kApplicationClass, title.c_str(),
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS,
                                      GetSystemMetrics(SM_CXSCREEN) / 2,
                                      GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr,
                                      instance, nullptr);
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
void ShowError(const std::string& text) {
  PersianBox(text, texts::kErrorCaption, MB_OK | MB_ICONERROR);
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

void RunAnswering(const std::function<void()>& run, bool busyCursor) {
  Work work{run, nullptr};
  HANDLE thread = CreateThread(nullptr, 0, RunWork, &work, 0, nullptr);
  if (!thread) {
    run();  // no thread to be had: the work runs here, without answering meanwhile
    return;
  }
  const bool wasBusy = busy;
  if (busyCursor) {
    busy = true;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
  }
  int quitCode = -1;  // a quit message is kept for the loop that owns it
  while (quitCode < 0 &&
         MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message;
    while (quitCode < 0 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) quitCode = (int)message.wParam;
      else {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  busy = wasBusy;
  if (busyCursor && !wasBusy) SetCursor(LoadCursor(nullptr, IDC_ARROW));
  if (quitCode >= 0) PostQuitMessage(quitCode);
  if (work.failure) std::rethrow_exception(work.failure);
}

void EndProgram() { ExitProcess(0); }

}  // namespace ui
