// The uninstaller: the application title, its one window (whose creation reads INSTALL.CFG
// and may end the program) and the message loop. Every end of the program is exit code 0.
#include "core/texts.h"
#include "ui/kit.h"
#include "uninstall/window.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ui::SetApplicationTitle(texts::kUninstallTitle);
  UninstallWindow window;
  window.Create();
  window.Show();
  return ui::RunMessageLoop();
}
