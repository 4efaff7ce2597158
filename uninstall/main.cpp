// The uninstaller: its main window.
#include "core/texts.h"
#include "ui/kit.h"

#include <windows.h>

namespace {
const ui::Control kLayout[] = {
    ui::Picture(1, "Image1", {0, 0, 801, 561}, 0, "BACKGROUND"),
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ui::SetApplicationTitle(texts::kUninstallTitle);
  ui::Form window({"TForm1", texts::kUninstallTitle, 799, 538, ui::kDialogCloseBox,
                   RGB(133, 177, 214)},
                  kLayout);
  window.Create();
  window.Show();
  return ui::RunMessageLoop();
}
