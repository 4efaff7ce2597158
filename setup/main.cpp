// The installer: its main window.
#include "core/texts.h"
#include "ui/form.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return RunMainWindow("TForm1", texts::kSetupWindowTitle, 790, 534);
}
