#include "setup/chooser_window.h"

#include "core/chooser.h"
#include "core/failure.h"
#include "core/names.h"
#include "core/texts.h"
#include "setup/controls.h"
#include "win/drive_space.h"
#include "win/files.h"
#include "win/scoped.h"
#include "win/text.h"

#include <windows.h>

#include <vector>

namespace {
using ui::kAutoSize;
using ui::kRegular;
using ui::kRightToLeft;

const ui::Font kFigureFont = {"Tahoma", 11, kRegular, ui::kRed};
const ui::Font kCaptionFont = {"Tahoma", 11, kRegular, ui::kYellow};
const ui::Font kLabel2Font = {"MS Sans Serif", 11, kRegular, ui::kBlack, DEFAULT_CHARSET};
const ui::Font kDrivesFont = {"MS Sans Serif", 13, kRegular, ui::kBlack, DEFAULT_CHARSET};

const ui::Control kLayout[] = {
    ui::Picture(kChooserImage1, "image1", {0, 0, 389, 345}, ui::kCentred, "CHOOSER"),
    ui::HotSpot(kChooserOk, "ok", {236, 288, 79, 42}, ""),
    ui::HotSpot(kChooserCancel, "cancel", {67, 288, 79, 42}, ""),
    ui::Label(kChooserLabel2, "Label2", {61, 10, 217, 18}, kLabel2Font, ui::kLeftToRight, ""),
    ui::Label(kChooserLabel1, "Label1", {198, 218, 0, 0}, kCaptionFont, kRightToLeft | kAutoSize,
              texts::kCapacityCaption),
    // The two figures are placed by ShowFigure, right-aligned against their "KB" labels.
    ui::Label(kDiskKol, "disk_kol", {62, 220, 0, 0}, kFigureFont, kAutoSize, ""),
    ui::Label(kChooserLabel4, "Label4", {156, 220, 0, 0}, kFigureFont, kAutoSize,
              texts::kKilobytes),
    ui::Label(kChooserLabel7, "Label7", {224, 234, 0, 0}, kCaptionFont,
              ui::kLeftToRight | kAutoSize, texts::kFreeSpaceCaption),
    ui::Label(kDiskFree, "disk_free", {63, 236, 0, 0}, kFigureFont, kAutoSize, ""),
    ui::Label(kChooserLabel6, "Label6", {157, 236, 0, 0}, kFigureFont, kAutoSize,
              texts::kKilobytes),
    ui::Gauge(kChooserGauge1, "Gauge1", {61, 254, 251, 13}, {"Tahoma", 11, kRegular, ui::kBlack},
              ui::kMaroon),
};

const int kLabel2Width = 217;
const int kFolderItemHeight = 17;

std::vector<std::string> Subfolders(const std::string& folder) {
  std::vector<std::string> names;
  const std::string pattern = folder.back() == '\\' ? folder + "*.*" : folder + "\\*.*";
  ListFolder(pattern, FILE_ATTRIBUTE_DIRECTORY, [&](const ListedEntry& entry) {
    if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDotName(entry.name))
      names.push_back(entry.name);
  });
  return names;
}
}  // namespace

ChooserWindow::ChooserWindow()
    : Form({"TForm4", texts::kChooserTitle, 389, 345, ui::kNoBorderIcons}, kLayout) {}

void ChooserWindow::OnCreate() {
  labelFont_ = OwnFont(kLabel2Font);
  // The drop-down's height includes its open list.
  drives_ = CreateWindowExA(0, "COMBOBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 62,
                            29, 249, 22 + 200, handle(), reinterpret_cast<HMENU>(kDriveComboBox1),
                            GetModuleHandleW(nullptr), nullptr);
  folders_ =
      CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                          LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                      62, 54, 249, 161, handle(), reinterpret_cast<HMENU>(kDirectoryListBox1),
                      GetModuleHandleW(nullptr), nullptr);
  SendMessageA(drives_, WM_SETFONT, reinterpret_cast<WPARAM>(OwnFont(kDrivesFont)), FALSE);
  SendMessageA(folders_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_), FALSE);
  SendMessageA(folders_, LB_SETITEMHEIGHT, 0, kFolderItemHeight);
}

std::optional<std::string> ChooserWindow::Choose(const std::string& startFolder,
                                                 const std::string& defaultFolderName) {
  Create();  // the lists below are the window's
  defaultFolderName_ = defaultFolderName;
  result_.reset();
  FillDriveList();
  OpenFolder(startFolder);
  ShowModal();
  return result_;
}

void ChooserWindow::OnShow() {
  ShowDriveSpace();
  SetFocus(folders_);
}

void ChooserWindow::OnClick(int id) {
  if (id == kChooserOk) okClick();
  if (id == kChooserCancel) cancelClick();
}

void ChooserWindow::okClick() {
  result_ = TargetInFolder(selected_, defaultFolderName_);
  Close();
}

void ChooserWindow::cancelClick() { Close(); }

bool ChooserWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == drives_ &&
      HIWORD(wParam) == CBN_SELCHANGE) {
    DriveComboBox1Change();
    return true;
  }
  if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == folders_ &&
      HIWORD(wParam) == LBN_DBLCLK) {
    OpenHighlightedFolder();
    return true;
  }
  if (message == WM_VKEYTOITEM && reinterpret_cast<HWND>(lParam) == folders_) {
    *result = -1;  // the list's own handling of the key
    if (LOWORD(wParam) == VK_RETURN) {
      *result = -2;  // handled here
      OpenHighlightedFolder();
    }
    return true;
  }
  return false;
}

// The drive list follows the machine's drives, as upper-case letters.
void ChooserWindow::FillDriveList() {
  SendMessageA(drives_, CB_RESETCONTENT, 0, 0);
  const DWORD present = GetLogicalDrives();
  for (int drive = 0; drive < 26; ++drive) {
    if (!(present & (1u << drive))) continue;
    const std::string name = std::string(1, static_cast<char>('A' + drive)) + ":";
    SendMessageA(drives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
}

void ChooserWindow::ShowSelectedDrive() {
  const std::string name = selected_.substr(0, 2);
  const LRESULT index =
      SendMessageA(drives_, CB_FINDSTRINGEXACT, (WPARAM)-1, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageA(drives_, CB_SETCURSEL, index == CB_ERR ? (WPARAM)-1 : index, 0);
}

void ChooserWindow::OpenFolder(const std::string& folder) {
  if (!SetCurrentFolder(folder)) throw Failure(SystemErrorText(GetLastError()));
  selected_ = CurrentFolder();
  items_ = FolderListItems(selected_, Subfolders(selected_));
  SendMessageA(folders_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(folders_, LB_RESETCONTENT, 0, 0);
  for (const FolderItem& item : items_) {
    const std::string line = std::string(2 * item.level, ' ') + item.name;
    SendMessageW(folders_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(line).c_str()));
  }
  SendMessageA(folders_, LB_SETCURSEL, SelectedFolderIndex(items_), 0);
  SendMessageA(folders_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(folders_, nullptr, TRUE);

  // Label2 shows the selected folder, cut from the left to the label's width.
  std::string shown;
  {
    WindowDC dc(handle());
    SelectedObject font(dc.get(), labelFont_);
    auto width = [&](const std::string& text) {
      SIZE size = {};
      const std::wstring wide = ToWide(text);
      GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
      return static_cast<int>(size.cx);
    };
    shown = ShortenPathToFit(selected_, kLabel2Width, width);
  }
  SetText(kChooserLabel2, shown);
  ShowSelectedDrive();
}

void ChooserWindow::OpenHighlightedFolder() {
  const LRESULT index = SendMessageA(folders_, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  if (static_cast<size_t>(index) < items_.size()) OpenFolder(items_[index].path);
}

// Another drive: the folder list moves to that drive's current folder. A drive that cannot
// be entered keeps the previous folder, its drive in the list and its figures.
void ChooserWindow::DriveComboBox1Change() {
  char name[8] = "";
  const LRESULT index = SendMessageA(drives_, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR || SendMessageA(drives_, CB_GETLBTEXTLEN, index, 0) >= (LRESULT)sizeof name)
    return;
  SendMessageA(drives_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name));
  try {
    OpenFolder(FullPath(name));  // "D:" names the drive's current folder
  } catch (...) {
    ShowSelectedDrive();
    throw;
  }
  ShowDriveSpace();
}

// A figure ends a blank's width before its "KB" label and grows to the left, so that a
// figure of any size (999,999,999,999 KB and more) shows whole. Its label reaches up to the
// "KB" label: the last digit may be drawn a pixel or two wider than the text measures (as
// Wine draws these fonts), and the blank keeps it from being cut.
void ChooserWindow::ShowFigure(int figure, int unitLabel, uint64_t kilobytes) {
  const int kBlank = 6;
  SetText(figure, GroupThousands(std::to_string(kilobytes)));
  const ui::Rect text = Bounds(figure);
  const int right = Bounds(unitLabel).left;
  SetBounds(figure, {right - kBlank - text.width, text.top, text.width + kBlank, text.height});
}

void ChooserWindow::ShowDriveSpace() {
  DriveSpaceBytes bytes = {};
  const bool queried = QueryDriveSpace(selected_.substr(0, 1) + ":\\", &bytes);
  const DriveSpace space = DriveSpaceInKB(queried, bytes.total, bytes.freeForUser);
  ShowFigure(kDiskKol, kChooserLabel4, space.sizeKB);
  ShowFigure(kDiskFree, kChooserLabel6, space.freeKB);
  // The kit's gauge counts in 64 bits, so drives of 2 TiB and more show their true share.
  SetGaugeMax(kChooserGauge1, static_cast<int64_t>(space.sizeKB));
  const uint64_t usedKB = space.sizeKB > space.freeKB ? space.sizeKB - space.freeKB : 0;
  SetGaugeValue(kChooserGauge1, static_cast<int64_t>(usedKB));
  Repaint();
}
