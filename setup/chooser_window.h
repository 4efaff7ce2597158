// TForm4, the install-folder chooser, shown modally by the main window's change hot-spot: a
// drive list bound to a folder list, the drive's capacity and free space, and a gauge of its
// used space. Browsing moves the current folder of the process, which stays where the user
// left it.
#pragma once
#include "core/chooser.h"
#include "ui/kit.h"

#include <optional>
#include <string>
#include <vector>

class ChooserWindow : public ui::Form {
 public:
  ChooserWindow();

  // Opens at startFolder and waits for the user. After ok: the selected folder with a
  // trailing backslash, followed by defaultFolderName; after cancel: nothing.
  std::optional<std::string> Choose(const std::string& startFolder,
                                    const std::string& defaultFolderName);

 protected:
  void OnCreate() override;
  void OnShow() override;
  void OnClick(int id) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void okClick();
  void cancelClick();
  void DriveComboBox1Change();
  void ShowDriveSpace();
  void ShowFigure(int figure, int unitLabel, uint64_t kilobytes);
  // Makes a folder the selected one (and the current folder of the process); a folder that
  // cannot be entered raises the system's failure and leaves everything as it was.
  void OpenFolder(const std::string& folder);
  void OpenHighlightedFolder();
  void FillDriveList();
  void ShowSelectedDrive();

  HWND drives_ = nullptr;
  HWND folders_ = nullptr;
  HFONT labelFont_ = nullptr;  // Label2's and the folder list's, owned by the form
  std::string selected_;
  std::vector<FolderItem> items_;  // the folder list's lines
  std::string defaultFolderName_;
  std::optional<std::string> result_;
};
