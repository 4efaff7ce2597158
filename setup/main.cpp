// The installer: the application title, the main window (whose creation reads REG.CFG and
// may end the program) and the message loop. The folder chooser and the exit confirmation
// are made when first opened, so that they do not delay the main window. Every end of the
// program is exit code 0.
#include "core/texts.h"
#include "setup/main_window.h"
#include "setup/state.h"
#include "ui/kit.h"

#include <objbase.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CoInitialize(nullptr);  // single-threaded apartment for the shell link
  ui::SetApplicationTitle(texts::kSetupTitle);
  InstallerState state;
  ChooserWindow chooser;
  ExitWindow exitWindow;
  MainWindow mainWindow(state, chooser, exitWindow);
  mainWindow.Create();
  mainWindow.Show();
  int code = ui::RunMessageLoop();
  CoUninitialize();
  return code;
}
