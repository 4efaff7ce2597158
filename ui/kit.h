// The skinned-window kit both programs are built on: fixed-size, centred, right-to-left
// windows with a picture, transparent labels, hot-spots, a gauge and the file-copy
// animation; the message dialogs; the guard that shows a failure escaping a handler; the
// message loop and its one-pass pump.
//
// A window is a class on ui::Form with its layout as a table of rows, one per control, in
// creation order (later rows lie on top):
//
//   enum { kImage1 = 1, kOk, kTitle };
//   const ui::Control kLayout[] = {
//       ui::Picture(kImage1, "Image1", {0, 0, 362, 216}, ui::kCentred, "EXITPICTURE"),
//       ui::HotSpot(kOk, "Ok", {107, 161, 44, 40}, texts::kHintExitProgram),
//       ui::Label(kTitle, "title", {20, 10, 0, 0}, {"Tahoma", 19, ui::kRegular, ui::kRed},
//                 ui::kRightToLeft | ui::kAutoSize, ""),
//   };
//   class ExitWindow : public ui::Form {
//    public:
//     ExitWindow() : Form({"TForm5", texts::kExitWindowTitle, 362, 216, ui::kNoBorderIcons},
//                         kLayout) {}
//    protected:
//     void OnClick(int id) override { if (id == kOk) ui::EndProgram(); }
//     void OnKeyPress(int key) override { if (key == 27) Close(); }
//   };
//
//   ui::SetApplicationTitle(texts::kSetupTitle);
//   ExitWindow exitWindow;
//   exitWindow.Create();      // hidden; OnCreate runs now, guarded
//   exitWindow.ShowModal();   // or, for the main window: Show(); return ui::RunMessageLoop();
//
// Every control is a child window with its ID; labels carry their caption and hot-spots
// their hint as window text (what tests and screen readers read). The form paints picture,
// texts and gauge itself, in table order, in one pass through a back buffer; its own child
// windows draw nothing. Other native controls (lists, combo boxes) may be added as children
// with CreateWindow; the form leaves their rectangles to them.
//
// Texts are single-byte code page 1256 bytes, paths included, shown through an explicit
// 1256 conversion whatever the system's ANSI code page is.
// Every handler below runs inside the guard: a Failure or other std::exception that escapes
// it is shown in the error box and the program goes on.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <functional>
#include <string>
#include <vector>

namespace ui {

enum class Kind { Picture, Label, HotSpot, Gauge, Animation };

// Label and picture options, combined with |.
enum : unsigned {
  kLeftToRight = 0,      // left-aligned, left-to-right reading (the default)
  kRightToLeft = 1,      // right-aligned, right-to-left reading
  kCentredText = 2,      // centred, right-to-left reading
  kAutoSize = 8,         // sized to its text, the left edge fixed
  kCentred = 32,         // picture centred in its rectangle (else drawn from its top-left)
  kHidden = 64,          // not visible at start
  kPathEllipsis = 128,   // a path too wide for the label shows shortened with "..."
};

enum Weight : bool { kRegular = false, kBold = true };

// Colours as the tables give them.
inline constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255),
                          kRed = RGB(255, 0, 0), kNavy = RGB(0, 0, 128),
                          kMaroon = RGB(128, 0, 0), kYellow = RGB(255, 255, 0),
                          kBlue = RGB(0, 0, 255);

struct Font {
  const char* face = "Tahoma";
  int height = 11;  // character height in pixels
  Weight weight = kRegular;
  COLORREF color = kBlack;
  BYTE charset = ARABIC_CHARSET;
};

struct Rect {
  int left, top, width, height;  // width and height 0 for a label sized to its text
};

// One row of a layout table.
struct Control {
  int id;
  const char* name;
  Kind kind;
  Rect rect;
  Font font;
  unsigned options;
  const char* content;  // caption, hint, or the resource name of a built-in picture
  COLORREF fill;        // bar colour of a gauge, background colour of an animation
};

inline Control Picture(int id, const char* name, Rect rect, unsigned options,
                       const char* resource) {
  return {id, name, Kind::Picture, rect, {}, options, resource, 0};
}
inline Control HotSpot(int id, const char* name, Rect rect, const char* hint,
                       unsigned options = 0) {
  return {id, name, Kind::HotSpot, rect, {}, options, hint, 0};
}
inline Control Label(int id, const char* name, Rect rect, Font font, unsigned options,
                     const char* caption) {
  return {id, name, Kind::Label, rect, font, options, caption, 0};
}
inline Control Gauge(int id, const char* name, Rect rect, Font font, COLORREF bar,
                     unsigned options = 0) {
  return {id, name, Kind::Gauge, rect, font, options, "", bar};
}
inline Control Animation(int id, const char* name, Rect rect, COLORREF background,
                         unsigned options = 0) {
  return {id, name, Kind::Animation, rect, {}, options, "", background};
}

// The frame of a window: title bar with close box only, with no border icons at all, or a
// dialog frame with the close box.
enum class Frame { kCloseBox, kNoBorderIcons, kDialogCloseBox };
inline constexpr Frame kCloseBox = Frame::kCloseBox, kNoBorderIcons = Frame::kNoBorderIcons,
                       kDialogCloseBox = Frame::kDialogCloseBox;

struct WindowLook {
  const char* className;  // registered under this name
  const char* title;      // code page 1256 bytes
  int clientWidth, clientHeight;
  Frame frame;
  COLORREF background = GetSysColor(COLOR_BTNFACE);
  // The window font, which the window and its controls without a font of their own (the
  // hot-spots) carry; none when its face is null.
  Font font = {nullptr};
};

class Form {
 public:
  template <size_t N>
  Form(const WindowLook& look, const Control (&layout)[N]) : Form(look, layout, N) {}
  Form(const WindowLook& look, const Control* layout, size_t count);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Makes the window, hidden, with its controls; OnCreate runs inside, guarded.
  void Create();
  HWND handle() const { return window_; }
  HWND control(int id) const;

  // Shows the window (the main window of the program: its closing ends the message loop).
  void Show();
  // Shows the window modally over the program's other windows; returns when it closes.
  void ShowModal();
  bool IsModal() const { return modal_; }
  // Hides a modal or secondary window; the main window is destroyed, ending the loop.
  void Close();

  // Controls at run time.
  void SetText(int id, const std::string& bytes);
  std::string Text(int id) const;
  void SetVisible(int id, bool visible);
  bool IsVisible(int id) const;
  void SetBounds(int id, Rect rect);
  Rect Bounds(int id) const;
  // A picture control's picture from a file (jpg/jpeg, bmp, ico, wmf, emf, either case);
  // raises Failure for another extension or a damaged file.
  void LoadPicture(int id, const std::string& path);
  // The gauge: maximum and value are 64-bit; the value shows clamped to 0..maximum.
  void SetGaugeMax(int id, int64_t maximum);
  void SetGaugeValue(int id, int64_t value);
  int64_t GaugeMax(int id) const;
  int64_t GaugeValue(int id) const;
  // The animation: plays frames 1 to 20 of the system's file-copy clip over and over.
  void StartAnimation(int id);
  void StopAnimation(int id);
  // Repaints now (what the message loop would do at its next pass).
  void Repaint();

 protected:
  // Handlers, all guarded.
  virtual void OnCreate() {}
  virtual void OnShow() {}
  virtual void OnClick(int /*id*/) {}
  virtual void OnKeyPress(int /*character*/) {}
  // The close box or the system's close command; false refuses the close.
  virtual bool OnCloseQuery() { return true; }
  // Messages the kit does not handle itself (WM_COMMAND of added native controls, ...);
  // return true when handled, with the result in *result.
  virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT* /*result*/) {
    return false;
  }

 private:
  struct Item;
  Item* Find(int id) const;
  void MakeControls();
  void FitToText(Item& item);
  void Paint(HDC target, const RECT& area);
  void PaintItem(HDC dc, const Item& item);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);

  WindowLook look_;
  std::vector<std::unique_ptr<Item>> items_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HFONT windowFont_ = nullptr;
  HBRUSH animationBrush_ = nullptr;
  bool modal_ = false;
  bool main_ = false;
};

// A label's text as the form measures and paints it, with the row's text options. A line of
// a centred or right-to-left label is measured and placed by the text output itself, which
// measures the joined letters it draws (under Wine, DrawText measures joined Persian text by
// its unjoined letters, too narrow, and places it too far left); other text goes through
// DrawText.
SIZE LabelTextSize(HDC dc, const std::wstring& text, unsigned options);
void DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, unsigned options);

// The application's title: the caption of the failure box and of the application window.
// That window owns every form and has no size: it is what the taskbar shows for the
// program once the main window is shown (the forms, being owned, show there no button of
// their own; the main window keeps its own title). Set it before any form is created.
void SetApplicationTitle(const char* bytes);

// Runs fn inside the guard: a failure escaping it is shown in the failure box. False when
// fn failed.
template <typename Fn>
bool Guarded(Fn&& fn);
void ShowFailure(const std::string& text);

// The message dialogs; texts are code page 1256 bytes (or plain ASCII such as an error
// number). Confirm is true for Yes.
void ShowInformation(const std::string& text);
void ShowWarning(const std::string& text);
bool Confirm(const std::string& text);
void ShowError(const std::string& text);

// Runs the message loop until the main window closes; the exit code for WinMain.
int RunMessageLoop();
// One pass over the pending messages of the thread: all of them are handled, then it returns.
void ProcessMessages();
// Runs work on a thread of its own (in a COM apartment of its own) while this thread handles
// its messages, so that the windows answer during a step that takes long, even one system
// call that does; returns when work has ended, raising what it raised. work must not touch
// the windows. Clicks are handled meanwhile: the caller ignores those that would start the
// step again or end the program halfway. With busyCursor the pointer over the windows is the
// hourglass until work ends.
void RunAnswering(const std::function<void()>& work, bool busyCursor = false);
// Ends the program at once, exit code 0, without closing its windows.
[[noreturn]] void EndProgram();

template <typename Fn>
bool Guarded(Fn&& fn) {
  try {
    fn();
    return true;
  } catch (const std::exception& failure) {
    ShowFailure(failure.what());
  }
  return false;
}

}  // namespace ui
