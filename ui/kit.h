// The skinned-window kit both programs are built on: fixed-size, centred, right-to-left
// windows with a picture, transparent labels, hot-spots, a gauge and the file-copy
// animation (this header and ui/kit.cpp); the label text drawing (ui/rtl_text.h); the
// application window, the message dialogs, the failure box and the message loop
// (ui/dialogs.h).
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
//   exitWindow.Create();      // hidden; OnCreate runs now (ShowModal makes it when needed)
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
// Every handler below runs inside the form's window procedure, whose one guard shows a
// Failure or other std::exception escaping it in the failure box; the program goes on. So
// does the making of the controls: no failure leaves the window procedure.
#pragma once
#include "ui/dialogs.h"
#include "ui/rtl_text.h"
#include "win/scoped.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ui {

enum class Kind { Picture, Label, HotSpot, Gauge, Animation };

// Label and picture options, combined with |.
enum : unsigned {
  kLeftToRight = 0,  // left-aligned, left-to-right reading (the default)
  kRightToLeft = 1,  // right-aligned, right-to-left reading
  kCentredText = 2,  // centred, right-to-left reading
  kAutoSize = 8,     // sized to its text, the left edge fixed
  kCentred = 32,     // picture centred in its rectangle (else drawn from its top-left)
  kHidden = 64,      // not visible at start
};

enum Weight : bool { kRegular = false, kBold = true };

// Colours as the tables give them.
inline constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0),
                          kNavy = RGB(0, 0, 128), kMaroon = RGB(128, 0, 0),
                          kYellow = RGB(255, 255, 0), kBlue = RGB(0, 0, 255);

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

  // Makes the window, hidden, with its controls; OnCreate runs inside. Nothing when the
  // window exists already.
  void Create();
  HWND handle() const { return window_; }
  HWND control(int id) const;

  // Shows the window (the main window of the program: its closing ends the message loop).
  void Show();
  // Shows the window modally over the program's other windows, made first when it has
  // none yet; returns when it closes.
  void ShowModal();
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
  // A font for a control the derived class adds (a list, a combo box), kept until the
  // window and all its controls are gone.
  HFONT OwnFont(const Font& font);

  // Handlers, all inside the guard.
  virtual void OnCreate() {}
  virtual void OnShow() {}
  virtual void OnClick(int /*id*/) {}
  virtual void OnKeyPress(int /*character*/) {}
  // The close box or the system's close command; false refuses the close.
  virtual bool OnCloseQuery() { return true; }
  // Messages the kit does not handle itself (WM_COMMAND of added native controls, ...);
  // return true when handled, with the result in *result.
  virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT* /*result*/) { return false; }

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
  static LRESULT HandleControl(HWND, UINT, WPARAM, LPARAM);

  WindowLook look_;
  std::vector<std::unique_ptr<Item>> items_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  ScopedFont windowFont_;
  ScopedBrush animationBrush_;
  ScopedLibrary shell32_;  // the animation's clip
  std::vector<ScopedFont> fonts_;
  bool modal_ = false;
  bool main_ = false;
};

}  // namespace ui
