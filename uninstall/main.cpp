// The uninstaller: its main window.
#include "core/texts.h"
#include "ui/form.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return RunMainWindow("TForm1", texts::kUninstallTitle, 790, 534);
}
