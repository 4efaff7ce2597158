#include "setup/chooser_window.h"

#include "core/texts.h"
#include "setup/controls.h"
#include "setup/main_window.h"

namespace {
const ui::Control kLayout[] = {
    ui::Picture(kChooserImage1, "image1", {0, 0, 389, 345}, ui::kCentred, "CHOOSER"),
};
}  // namespace

ChooserWindow::ChooserWindow()
    : Form({"TForm4", texts::kChooserTitle, 389, 345, ui::kNoBorderIcons}, kLayout) {}

// The change hot-spot of the main window: not wired to the chooser yet.
void MainWindow::changeClick() {}
