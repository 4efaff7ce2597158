// The uninstaller's window TForm1: the picture with the ok and cancel buttons and the product's
// title lines, filled from INSTALL.CFG beside the program's own file while the window is made.
#pragma once
#include "ui/kit.h"

#include <string>

class UninstallWindow : public ui::Form {
 public:
  UninstallWindow();

 protected:
  void OnCreate() override;
  void OnClick(int id) override;
  void OnKeyPress(int character) override;
  bool OnCloseQuery() override { return !removing_; }

 private:
  void Remove();

  // While the removal runs the window answers, but its buttons, Escape and the close box
  // are ignored: the removal is neither started twice nor cut off halfway.
  bool removing_ = false;
  // From the record: the uninstall entry's name and the shortcuts' name.
  std::string programName_;
  std::string shortcutName_;
};
