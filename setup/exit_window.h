// TForm5, the exit confirmation: its check mark (or Enter) ends the program at once, its
// cross (or Escape) closes it and the installer goes on where it was. While a file is being
// copied the end waits until the file is whole.
#pragma once
#include "ui/kit.h"

class ExitWindow : public ui::Form {
 public:
  ExitWindow();

  // While held, a confirmed exit closes the confirmation and waits; releasing the hold then
  // ends the program.
  void HoldEnd();
  void ReleaseEnd();

 protected:
  void OnClick(int id) override;
  void OnKeyPress(int character) override;

 private:
  void OkClick();
  void Label1Click();

  bool holdEnd_ = false;
  bool endRequested_ = false;
};
