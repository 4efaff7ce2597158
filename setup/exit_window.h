// TForm5, the exit confirmation: its check mark (or Enter) ends the program at once, its
// cross (or Escape) closes it and the installer goes on where it was.
#pragma once
#include "ui/kit.h"

class ExitWindow : public ui::Form {
 public:
  ExitWindow();

 protected:
  void OnClick(int id) override;
  void OnKeyPress(int character) override;

 private:
  void OkClick();
  void Label1Click();
};
