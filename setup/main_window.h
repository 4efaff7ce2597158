// TForm1, the installer's main window: the picture with the title lines and the proposed
// install folder (the text of path), the hot-spots Next1, cancel and change, and the
// progress widgets the installation sequence shows.
#pragma once
#include "setup/chooser_window.h"
#include "setup/exit_window.h"
#include "setup/state.h"
#include "ui/kit.h"

class MainWindow : public ui::Form {
 public:
  MainWindow(InstallerState& state, ChooserWindow& chooser, ExitWindow& exitWindow);

 protected:
  void OnCreate() override;
  void OnClick(int id) override;
  void OnKeyPress(int character) override;
  bool OnCloseQuery() override;

 private:
  void FormCreate();
  void Next1Click();   // the installation sequence
  void changeClick();  // the install-folder chooser
  void cancelClick();
  void SetInstallFolder(const std::string& folder);  // into the state and the path label

  bool installing_ = false;  // Next1 and change are ignored while the installation runs
  InstallerState& state_;
  ChooserWindow& chooser_;
  ExitWindow& exitWindow_;
};
