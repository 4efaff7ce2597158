// The window kit in this process: controls as child windows with their IDs and texts,
// labels sized to their text, the gauge's clamped percentage, the events a form gets, work
// run while the form answers, the window font, where a Persian label's text lands when
// drawn, the message dialogs, and the guard that shows a handler's failure.
#include "ui/kit.h"

#include "core/failure.h"
#include "core/texts.h"
#include "tests/support/driver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <thread>
#include <tuple>
#include <vector>

namespace {

enum { kPicture = 1, kSpot, kTitle, kPathLabel, kBar };

const ui::Control kLayout[] = {
    ui::Picture(kPicture, "picture", {0, 0, 300, 200}, ui::kCentred, ""),
    ui::HotSpot(kSpot, "spot", {10, 10, 40, 30}, "\xCA\xC7\xED\xED\xCF"),
    ui::Label(kTitle, "title", {100, 20, 0, 0}, {"Tahoma", 19, ui::kRegular, ui::kRed},
              ui::kRightToLeft | ui::kAutoSize, ""),
    ui::Label(kPathLabel, "path", {100, 60, 150, 20}, {"Tahoma", 11, ui::kBold, ui::kBlack},
              ui::kLeftToRight | ui::kHidden, "C:\\a"),
    ui::Gauge(kBar, "bar", {10, 100, 200, 16}, {"Tahoma", 11, ui::kRegular, ui::kBlack}, ui::kNavy),
};

class TestForm : public ui::Form {
 public:
  explicit TestForm(ui::Font windowFont = {nullptr})
      : Form({"KitTestForm", "\xE4\xD5\xC8", 300, 200, ui::kCloseBox, GetSysColor(COLOR_BTNFACE),
              windowFont},
             kLayout) {}
  std::vector<int> clicks, keys;
  bool allowClose = false;
  int closeQueries = 0;

 protected:
  void OnClick(int id) override { clicks.push_back(id); }
  void OnKeyPress(int character) override { keys.push_back(character); }
  bool OnCloseQuery() override {
    ++closeQueries;
    return allowClose;
  }
};

bool Shown(HWND window) { return GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE; }

}  // namespace

TEST(Kit, ControlsAreChildWindowsWithTheirIdsTextsAndRectangles) {
  TestForm form;
  form.Create();
  ASSERT_TRUE(form.handle());
  for (int id : {kPicture, kSpot, kTitle, kPathLabel, kBar}) {
    HWND control = GetDlgItem(form.handle(), id);
    ASSERT_TRUE(control) << id;
    EXPECT_EQ(control, form.control(id));
  }
  EXPECT_EQ(e2e::Text(form.handle()), L"\u0646\u0635\u0628");
  // A hot-spot carries its hint, converted from code page 1256.
  EXPECT_EQ(e2e::Text(form.control(kSpot)), L"\u062A\u0627\u064A\u064A\u062F");
  RECT spot = e2e::ChildRect(form.control(kSpot));
  EXPECT_EQ(spot.left, 10);
  EXPECT_EQ(spot.right - spot.left, 40);
  EXPECT_EQ(spot.bottom - spot.top, 30);
  // Persian bytes become Persian letters, the bytes themselves stay readable.
  form.SetText(kTitle, "\xED\xDF");
  EXPECT_EQ(e2e::Text(form.control(kTitle)), L"\u064A\u0643");
  EXPECT_EQ(form.Text(kTitle), "\xED\xDF");
  // A label in the ANSI code page (paths) and its visibility.
  EXPECT_EQ(e2e::Text(form.control(kPathLabel)), L"C:\\a");
  EXPECT_FALSE(Shown(form.control(kPathLabel)));
  form.SetVisible(kPathLabel, true);
  EXPECT_TRUE(Shown(form.control(kPathLabel)));
  EXPECT_TRUE(form.IsVisible(kPathLabel));
}

TEST(Kit, ALabelSizedToItsTextKeepsItsLeftEdge) {
  TestForm form;
  form.Create();
  form.SetText(kTitle, "ab");
  RECT small = e2e::ChildRect(form.control(kTitle));
  form.SetText(kTitle, "abcdefghijklmnop");
  RECT large = e2e::ChildRect(form.control(kTitle));
  EXPECT_EQ(small.left, 100);
  EXPECT_EQ(large.left, 100);
  EXPECT_EQ(large.top, 20);
  EXPECT_GT(large.right, small.right + 50);
  EXPECT_GE(large.bottom - large.top, 19);
  // An empty text still has the height of a line.
  form.SetText(kTitle, "");
  RECT empty = e2e::ChildRect(form.control(kTitle));
  EXPECT_EQ(empty.bottom - empty.top, large.bottom - large.top);
}

TEST(Kit, TheGaugeShowsItsClampedPercentage) {
  TestForm form;
  form.Create();
  HWND bar = form.control(kBar);
  EXPECT_EQ(e2e::Text(bar), L"0%");
  form.SetGaugeMax(kBar, 200);
  form.SetGaugeValue(kBar, 50);
  EXPECT_EQ(e2e::Text(bar), L"25%");
  form.SetGaugeValue(kBar, 500);
  EXPECT_EQ(e2e::Text(bar), L"100%");
  EXPECT_EQ(form.GaugeValue(kBar), 200);
  form.SetGaugeValue(kBar, -3);
  EXPECT_EQ(e2e::Text(bar), L"0%");
  form.SetGaugeMax(kBar, int64_t(1) << 40);  // beyond 32 bits
  form.SetGaugeValue(kBar, int64_t(3) << 38);
  EXPECT_EQ(e2e::Text(bar), L"75%");
  form.SetGaugeMax(kBar, 0);
  EXPECT_EQ(e2e::Text(bar), L"0%");
}

// A copy sets the gauge after every file: only a change of the shown percentage marks
// anything to repaint, and then only the gauge's rectangle of the form, not the child
// windows lying under it.
TEST(Kit, TheGaugeAsksForARepaintOnlyWhenItsPercentageChanges) {
  TestForm form;
  form.Create();
  ShowWindow(form.handle(), SW_SHOWNA);
  UpdateWindow(form.handle());
  form.SetGaugeMax(kBar, 1000);
  UpdateWindow(form.handle());
  RECT update;
  form.SetGaugeValue(kBar, 9);  // still 0%
  EXPECT_FALSE(GetUpdateRect(form.handle(), &update, FALSE));
  form.SetGaugeValue(kBar, 10);  // 1%
  ASSERT_TRUE(GetUpdateRect(form.handle(), &update, FALSE));
  EXPECT_EQ(std::make_tuple(update.left, update.top, update.right, update.bottom),
            std::make_tuple(10, 100, 210, 116));
  for (int id : {kPicture, kSpot, kTitle, kBar}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(GetUpdateRect(form.control(id), &update, FALSE));
  }
  UpdateWindow(form.handle());
  form.SetGaugeValue(kBar, 19);  // 1% still
  EXPECT_FALSE(GetUpdateRect(form.handle(), &update, FALSE));
  EXPECT_EQ(e2e::Text(form.control(kBar)), L"1%");
}

TEST(Kit, HotSpotClicksKeysAndTheCloseQueryReachTheForm) {
  TestForm form;
  form.Create();
  LPARAM inside = MAKELPARAM(5, 5), outside = MAKELPARAM(100, 5);
  SendMessageW(form.control(kSpot), WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(form.control(kSpot), WM_LBUTTONUP, 0, inside);
  // A press released outside the hot-spot is no click; labels take no clicks.
  SendMessageW(form.control(kSpot), WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(form.control(kSpot), WM_LBUTTONUP, 0, outside);
  SendMessageW(form.control(kTitle), WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(form.control(kTitle), WM_LBUTTONUP, 0, inside);
  EXPECT_EQ(form.clicks, std::vector<int>{kSpot});
  EXPECT_EQ(SendMessageW(form.control(kSpot), WM_NCHITTEST, 0, 0), HTCLIENT);
  EXPECT_EQ(SendMessageW(form.control(kTitle), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  SendMessageW(form.handle(), WM_CHAR, 27, 1);
  SendMessageW(form.handle(), WM_CHAR, 13, 1);
  EXPECT_EQ(form.keys, (std::vector<int>{27, 13}));
  SendMessageW(form.handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form.closeQueries, 1);
  EXPECT_TRUE(IsWindow(form.handle()));
}

// Secondary windows are made when first opened, not at start-up: a form is made once,
// whether by Create or by ShowModal, and its OnCreate runs once.
TEST(Kit, AFormIsMadeOnceByCreateOrByItsFirstShowModal) {
  class ClosingForm : public TestForm {
   public:
    int creates = 0, shows = 0;
    HWND shownAs = nullptr;

   protected:
    void OnCreate() override { ++creates; }
    void OnShow() override {
      ++shows;
      shownAs = handle();
      Close();  // ShowModal returns at once
    }
  };
  ClosingForm form;
  EXPECT_FALSE(form.handle());
  form.ShowModal();
  ASSERT_TRUE(form.handle());
  EXPECT_EQ(form.shownAs, form.handle());
  EXPECT_FALSE(IsWindowVisible(form.handle()));
  const HWND made = form.handle();
  form.Create();
  form.ShowModal();
  EXPECT_EQ(form.handle(), made);
  EXPECT_EQ(form.creates, 1);
  EXPECT_EQ(form.shows, 2);
  EXPECT_TRUE(GetDlgItem(made, kSpot));
}

// The animation's clip is opened when it is first started, not when the form is made (it
// would load the video libraries at start-up for a control hidden until the copy). A
// control without a clip refuses to play a frame; with it, it plays.
TEST(Kit, TheAnimationsClipIsOpenedWhenFirstStarted) {
  enum { kClip = 1 };
  const ui::Control layout[] = {ui::Animation(kClip, "clip", {0, 0, 300, 80}, RGB(96, 104, 207))};
  class AnimationForm : public ui::Form {
   public:
    explicit AnimationForm(const ui::Control (&layout)[1])
        : Form({"KitAnimationForm", "", 300, 80, ui::kCloseBox}, layout) {}
  };
  AnimationForm form(layout);
  form.Create();
  const HWND clip = form.control(kClip);
  ASSERT_TRUE(clip);
  auto playsFirstFrame = [&] { return SendMessageW(clip, ACM_PLAY, 1, MAKELONG(0, 0)) != 0; };
  EXPECT_FALSE(playsFirstFrame());
  form.StartAnimation(kClip);
  form.StopAnimation(kClip);
  EXPECT_TRUE(playsFirstFrame());
  form.StartAnimation(kClip);  // a second start plays the clip already open
  form.StopAnimation(kClip);
  EXPECT_TRUE(playsFirstFrame());
}

// Work run by RunAnswering waits for a click sent to the form from another thread, as a user
// would click during a long step: the form handles it while the work runs. A failure of the
// work reaches the caller.
TEST(Kit, RunAnsweringHandlesTheFormsMessagesWhileTheWorkRuns) {
  TestForm form;
  form.Create();
  const HWND spot = form.control(kSpot);
  HANDLE clicked = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread user([&] {
    DWORD_PTR result = 0;
    const LPARAM inside = MAKELPARAM(5, 5);
    if (SendMessageTimeoutW(spot, WM_LBUTTONDOWN, MK_LBUTTON, inside, SMTO_NORMAL, 5000, &result) &&
        SendMessageTimeoutW(spot, WM_LBUTTONUP, 0, inside, SMTO_NORMAL, 5000, &result))
      SetEvent(clicked);
  });
  bool clickedMeanwhile = false;
  ui::RunAnswering([&] { clickedMeanwhile = WaitForSingleObject(clicked, 5000) == WAIT_OBJECT_0; });
  user.join();
  CloseHandle(clicked);
  EXPECT_TRUE(clickedMeanwhile);
  EXPECT_EQ(form.clicks, std::vector<int>{kSpot});
  EXPECT_THROW(ui::RunAnswering([] { throw Failure("failed"); }), Failure);
}

namespace {
LOGFONTW FontOf(HWND window) {
  LOGFONTW font = {};
  HFONT handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (handle) GetObjectW(handle, sizeof font, &font);
  return font;
}
}  // namespace

// The window font is the form's and its hot-spots'; a label keeps its own.
TEST(Kit, TheWindowFontIsTheFormsAndItsHotSpots) {
  TestForm plain;
  plain.Create();
  EXPECT_EQ(SendMessageW(plain.handle(), WM_GETFONT, 0, 0), 0);

  TestForm form({"Tahoma", 13, ui::kBold});
  form.Create();
  for (HWND window : {form.handle(), form.control(kSpot)}) {
    const LOGFONTW font = FontOf(window);
    EXPECT_STREQ(font.lfFaceName, L"Tahoma");
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfCharSet, ARABIC_CHARSET);
  }
  const LOGFONTW label = FontOf(form.control(kTitle));
  EXPECT_EQ(label.lfHeight, -19);
  EXPECT_EQ(label.lfWeight, FW_NORMAL);
}

namespace {

// A white memory bitmap with a 48-pixel Persian font selected, and the columns its black ink
// spans after a label's text is drawn into it.
class InkBoard {
 public:
  InkBoard() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ =
        CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    SelectObject(dc_, bitmap_);
    font_ = CreateFontW(-48, 0, 0, 0, FW_NORMAL, 0, 0, 0, ARABIC_CHARSET, 0, 0, 0, 0, L"Tahoma");
    SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
  }
  ~InkBoard() {
    DeleteDC(dc_);
    DeleteObject(bitmap_);
    DeleteObject(font_);
  }
  HDC dc() const { return dc_; }

  // The first and last column with ink; {-1, -1} when nothing was drawn.
  std::pair<int, int> Draw(const std::wstring& text, const RECT& rect, unsigned options) {
    std::fill(bits_, bits_ + kWidth * kHeight, 0xFFFFFFu);
    ui::DrawLabelText(dc_, rect, text, options);
    GdiFlush();
    int left = -1, right = -1;
    for (int x = 0; x < kWidth; ++x)
      for (int y = 0; y < kHeight; ++y)
        if ((bits_[y * kWidth + x] & 0xFFFFFFu) != 0xFFFFFFu) {
          if (left < 0) left = x;
          right = x;
          break;
        }
    return {left, right};
  }

 private:
  static constexpr int kWidth = 800, kHeight = 100;
  HDC dc_;
  HBITMAP bitmap_;
  HFONT font_;
  uint32_t* bits_ = nullptr;
};

}  // namespace

// Joined Persian letters are much wider than the unjoined ones: a title is placed and
// measured by what is drawn, so it is centred whole in its label, ends at a right-aligned
// label's right edge, and fits a label sized to it.
TEST(KitLabelText, PersianLinesArePlacedAndMeasuredByTheirJoinedLetters) {
  const std::wstring title =
      L"\u062F\u0641\u062A\u0631 \u062D\u0633\u0627\u0628 \u0646\u0645\u0648\u0646\u0647";
  InkBoard board;

  const RECT label = {200, 10, 617, 91};  // the uninstaller's title label
  auto [left, right] = board.Draw(title, label, ui::kCentredText);
  ASSERT_GE(left, 0) << "nothing drawn";
  EXPECT_GE(left, label.left);
  EXPECT_LE(right, label.right);
  EXPECT_NEAR((left + right) / 2, (label.left + label.right) / 2, 4);

  std::tie(left, right) = board.Draw(title, {0, 10, 700, 91}, ui::kRightToLeft);
  EXPECT_NEAR(right, 699, 4);

  SIZE size = ui::LabelTextSize(board.dc(), title, ui::kRightToLeft);
  std::tie(left, right) = board.Draw(title, {100, 10, 100 + size.cx, 91}, ui::kRightToLeft);
  EXPECT_NEAR(left, 100, 4);
  EXPECT_NEAR(right, 100 + size.cx - 1, 4);
}

namespace {

// The buttons of a message dialog as the user sees them: their texts and IDs.
struct DialogSeen {
  std::vector<std::wstring> buttons;
  std::vector<int> ids;
};

// Puts the first visible message dialog of the enumeration into *found (a named function:
// on i686 a window enumeration callback must be stdcall, which a lambda is not).
BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Shows a message dialog on this thread and, from another, reads its buttons and answers it
// (its caption and message checked).
template <typename Show>
DialogSeen ShowAndAnswer(Show show, const std::wstring& caption, const std::wstring& message,
                         const std::wstring& button) {
  DialogSeen seen;
  const DWORD thread = GetCurrentThreadId();
  std::thread answer([&] {
    HWND dialog = nullptr;
    e2e::WaitUntil(
        [&] {
          EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&dialog));
          return dialog != nullptr;
        },
        10000);
    if (dialog) {
      seen.buttons = e2e::DialogButtons(dialog);
      for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = L"";
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Button") == 0) seen.ids.push_back(GetDlgCtrlID(child));
      }
    }
    e2e::Answer(dialog, caption, message, button);
  });
  show();
  answer.join();
  return seen;
}

}  // namespace

// The dialogs' buttons read "OK", "&Yes" and "&No" with their standard IDs under every
// Windows language. This suite also runs under the Persian locale, where Wine labels the
// buttons of a message box in Persian.
TEST(KitDialogs, ButtonsReadTheSameUnderEveryLanguage) {
  ui::SetApplicationTitle(texts::kSetupTitle);
  const std::wstring persian = L"\u0646\u0635\u0628";  // the text shown, from 1256 bytes
  const std::vector<std::wstring> ok = {L"OK"}, yesNo = {L"&Yes", L"&No"};
  bool answer = false;
  const struct {
    const char* name;
    std::function<void()> show;
    const wchar_t* caption;
    std::vector<std::wstring> buttons;
    std::vector<int> ids;
    const wchar_t* press;
  } cases[] = {
      {"information",
       [] { ui::ShowInformation("\xE4\xD5\xC8"); },
       L"Information",
       ok,
       {IDOK},
       L"OK"},
      {"warning", [] { ui::ShowWarning("\xE4\xD5\xC8"); }, L"Warning", ok, {IDOK}, L"OK"},
      {"confirm yes",
       [&] { answer = ui::Confirm("\xE4\xD5\xC8"); },
       L"Confirm",
       yesNo,
       {IDYES, IDNO},
       L"&Yes"},
      {"confirm no",
       [&] { answer = !ui::Confirm("\xE4\xD5\xC8"); },
       L"Confirm",
       yesNo,
       {IDYES, IDNO},
       L"&No"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    answer = true;
    const DialogSeen seen = ShowAndAnswer(c.show, c.caption, persian, c.press);
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(seen.ids, c.ids);
    EXPECT_TRUE(answer);
  }
  // The failure box: the failure's text with its full stop, the application title.
  const DialogSeen failure =
      ShowAndAnswer([] { ui::ShowFailure("Cannot open file"); }, e2e::Wide1256(texts::kSetupTitle),
                    L"Cannot open file.", L"OK");
  EXPECT_EQ(failure.buttons, ok);
}

namespace {
// A form whose handlers fail on request: the making of its controls (WM_CREATE), OnCreate,
// a click, a key and the close query.
class FailingForm : public TestForm {
 public:
  std::string failIn;

 protected:
  bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT*) override {
    if (message == WM_CREATE) Fail("controls");
    return false;
  }
  void OnCreate() override { Fail("create"); }
  void OnClick(int id) override {
    Fail("click");
    TestForm::OnClick(id);
  }
  void OnKeyPress(int character) override {
    Fail("key");
    TestForm::OnKeyPress(character);
  }
  bool OnCloseQuery() override {
    Fail("close");
    return true;
  }

 private:
  void Fail(const char* handler) {
    if (failIn == handler) throw Failure(std::string("Failed in ") + handler);
  }
};
}  // namespace

// The window procedure is the one guard: a failure in any handler, the making of the controls
// included, is shown in the failure box from inside it (never crossing CreateWindowExW or
// DispatchMessage), and the form goes on; a failed close query keeps the form open.
TEST(KitDialogs, AFailureInAHandlerIsShownAndTheFormGoesOn) {
  ui::SetApplicationTitle(texts::kSetupTitle);
  const LPARAM inside = MAKELPARAM(5, 5);
  const struct {
    const char* handler;
    std::function<void(FailingForm&)> run;
  } cases[] = {
      {"controls", [](FailingForm& form) { form.Create(); }},
      {"create", [](FailingForm& form) { form.Create(); }},
      {"click",
       [&](FailingForm& form) {
         SendMessageW(form.control(kSpot), WM_LBUTTONDOWN, MK_LBUTTON, inside);
         SendMessageW(form.control(kSpot), WM_LBUTTONUP, 0, inside);
       }},
      {"key", [](FailingForm& form) { SendMessageW(form.handle(), WM_CHAR, 'k', 0); }},
      {"close", [](FailingForm& form) { SendMessageW(form.handle(), WM_CLOSE, 0, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.handler);
    FailingForm form;
    form.failIn = c.handler;
    const bool creates = std::string(c.handler) == "controls" || std::string(c.handler) == "create";
    if (!creates) form.Create();
    const std::string expected = std::string("Failed in ") + c.handler + ".";
    ShowAndAnswer([&] { c.run(form); }, e2e::Wide1256(texts::kSetupTitle),
                  std::wstring(expected.begin(), expected.end()), L"OK");
    ASSERT_TRUE(IsWindow(form.handle()));
    if (c.handler == std::string("controls")) continue;  // the form was made without them
    // The form still answers: a click after the failure reaches it.
    form.failIn.clear();
    SendMessageW(form.control(kSpot), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(form.control(kSpot), WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(form.clicks.back(), kSpot);
  }
}
