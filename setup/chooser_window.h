// TForm4, the install-folder chooser, shown modally by the main window's change hot-spot.
#pragma once
#include "ui/kit.h"

class ChooserWindow : public ui::Form {
 public:
  ChooserWindow();
};
