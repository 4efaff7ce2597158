// The form and its controls: the window and control procedures with the one guard of the
// handlers, the controls made from the layout table, and the painting of the form.
#include "ui/kit.h"

#include "core/display.h"
#include "ui/picture.h"
#include "win/text.h"

#include <commctrl.h>

namespace ui {
namespace {

const wchar_t kControlClass[] = L"SkinControl";
// Sent by the form to itself, so that OnCreate and OnShow run inside its window procedure.
const UINT kRunOnCreate = WM_USER + 1, kRunOnShow = WM_USER + 2;

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

BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The one guard of the handlers, around the window and control procedures: a failure that
// escapes a handler is shown in the failure box and the program goes on. The message then
// gets the system's default handling, except a close request, which a failure refuses.
template <typename Handler>
LRESULT Guarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Handler handle) {
  try {
    return handle();
  } catch (const std::exception& failure) {
    ShowFailure(failure.what());
  }
  return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

struct Form::Item {
  Control row;
  Rect rect;
  bool visible;
  std::string text;  // the caption of a label, the hint of a hot-spot
  HWND window = nullptr;
  ScopedFont font;
  std::unique_ptr<LoadedPicture> picture;
  int64_t maximum = 100, value = 0;
  int shownPercent = -1;  // what the gauge shows; -1 before its first value
  bool pressed = false;
  bool clipOpen = false;  // the animation's clip
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

// The window goes first, with every control of the kit's and of a derived class: the fonts
// and the brush they use are members, released after this body.
Form::~Form() {
  if (window_) DestroyWindow(window_);
}

HFONT Form::OwnFont(const Font& font) {
  fonts_.emplace_back(MakeFont(font));
  return fonts_.back().get();
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
  if (window_) return;
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
  if (look_.font.face) windowFont_.Reset(MakeFont(look_.font));
  CreateWindowExW(extended, className.c_str(), ToWide(look_.title).c_str(), style,
                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, ApplicationWindow(),
                  nullptr, GetModuleHandleW(nullptr), this);
  if (window_) SendMessageW(window_, kRunOnCreate, 0, 0);
}

void Form::MakeControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (auto& owned : items_) {
    Item& item = *owned;
    const Control& row = item.row;
    DWORD style = WS_CHILD | (item.visible ? WS_VISIBLE : 0);
    RECT rect = ToRect(item.rect);
    if (row.kind != Kind::Picture && row.kind != Kind::HotSpot && row.kind != Kind::Animation)
      item.font.Reset(MakeFont(row.font));
    if (row.kind == Kind::Animation) {
      item.window = CreateWindowExW(0, ANIMATE_CLASSW, L"", style | ACS_TRANSPARENT | ACS_CENTER,
                                    rect.left, rect.top, item.rect.width, item.rect.height, window_,
                                    (HMENU)(INT_PTR)row.id, instance, nullptr);
      if (!animationBrush_.held()) animationBrush_.Reset(CreateSolidBrush(row.fill));
    } else {
      item.window = CreateWindowExW(WS_EX_TRANSPARENT, kControlClass, L"", style, rect.left,
                                    rect.top, item.rect.width, item.rect.height, window_,
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
        tooltip_ =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
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
  SIZE measured;
  {
    WindowDC dc(window_);
    SelectedObject font(dc.get(), item.font.get());
    measured = LabelTextSize(dc.get(), text, item.row.options);
  }
  SetBounds(item.row.id, {item.rect.left, item.rect.top, measured.cx, measured.cy});
}

void Form::Show() {
  main_ = true;
  SetMainWindow(window_);
  if (HWND application = ApplicationWindow()) ShowWindow(application, SW_SHOWNA);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(window_);
  UpdateWindow(window_);
  SendMessageW(window_, kRunOnShow, 0, 0);
}

void Form::ShowModal() {
  if (modal_) return;  // already showing: the caller goes on when it closes
  Create();
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
  SendMessageW(window_, kRunOnShow, 0, 0);
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
  // The clip is opened when first played, not at start-up: loading shell32 and the video
  // libraries for a control that is hidden until then would delay the first window.
  if (!item->clipOpen) {
    // The system's file-copy clip lives in shell32 as AVI resource 161.
    if (!shell32_.held()) shell32_.Reset(LoadLibraryW(L"shell32.dll"));
    SendMessageW(item->window, ACM_OPENW, (WPARAM)shell32_.get(), (LPARAM)MAKEINTRESOURCEW(161));
    item->clipOpen = true;
  }
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
  ScopedMemoryDC buffer(CreateCompatibleDC(target));
  ScopedBitmap bits(CreateCompatibleBitmap(target, width, height));
  SelectedObject selected(buffer.get(), bits.get());
  // The buffer's first pixel is the area's top-left corner: rows paint in client coordinates.
  SetWindowOrgEx(buffer.get(), area.left, area.top, nullptr);
  IntersectClipRect(buffer.get(), area.left, area.top, area.right, area.bottom);
  FillRect(buffer.get(), &client, ScopedBrush(CreateSolidBrush(look_.background)).get());
  for (auto& item : items_)
    if (item->visible) PaintItem(buffer.get(), *item);
  BitBlt(target, area.left, area.top, width, height, buffer.get(), area.left, area.top, SRCCOPY);
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
      SelectObject(dc, item.font.get());
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
      FillRect(dc, &rect, ScopedBrush(CreateSolidBrush(kWhite)).get());
      FillRect(dc, &bar, ScopedBrush(CreateSolidBrush(item.row.fill)).get());
      std::wstring text = std::to_wstring(percent) + L"%";
      SelectObject(dc, item.font.get());
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
  return Guarded(window, message, wParam, lParam,
                 [&] { return form->Handle(message, wParam, lParam); });
}

LRESULT Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnMessage(message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_CREATE:
      MakeControls();
      return 0;
    case kRunOnCreate:
      OnCreate();
      return 0;
    case kRunOnShow:
      OnShow();
      return 0;
    case WM_GETFONT:
      return (LRESULT)windowFont_.get();
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDC dc(window_);
      Paint(dc.get(), dc.area());
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      if (animationBrush_.held()) {
        for (auto& item : items_)
          if (item->row.kind == Kind::Animation && item->window == (HWND)lParam) {
            SetBkColor((HDC)wParam, item->row.fill);
            return (LRESULT)animationBrush_.get();
          }
      }
      break;
    case WM_SETCURSOR:
      if (!ShowsHourglass() || LOWORD(lParam) != HTCLIENT) break;
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return TRUE;
    case WM_CHAR:
      OnKeyPress((int)wParam);
      return 0;
    case WM_CLOSE:
      if (OnCloseQuery()) Close();
      return 0;
    case WM_DESTROY:
      if (main_) {
        SetMainWindow(nullptr);
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
  return Guarded(window, message, wParam, lParam,
                 [&] { return HandleControl(window, message, wParam, lParam); });
}

LRESULT Form::HandleControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(GetParent(window), GWLP_USERDATA));
  Item* item = form ? form->Find(GetDlgCtrlID(window)) : nullptr;
  bool hotSpot = item && item->row.kind == Kind::HotSpot;
  switch (message) {
    case WM_NCHITTEST:
      return hotSpot ? HTCLIENT : HTTRANSPARENT;
    case WM_SETCURSOR:
      if (ShowsHourglass()) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (!hotSpot) break;
      SetCursor(LoadCursor(nullptr, IDC_HAND));
      return TRUE;
    case WM_GETFONT:
      // A control without a font of its own (a hot-spot) has the window font.
      return (LRESULT)(item && item->font.held() ? item->font.get()
                       : form                    ? form->windowFont_.get()
                                                 : nullptr);
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
      if (pressed && PtInRect(&client, at)) form->OnClick(id);
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ui
