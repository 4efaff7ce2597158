#include "setup/exit_window.h"

#include "core/texts.h"
#include "setup/controls.h"

namespace {
const ui::Control kLayout[] = {
    ui::Picture(kExitImage1, "Image1", {0, 0, 362, 216}, ui::kCentred, "EXITBOX"),
    ui::HotSpot(kExitOk, "Ok", {107, 161, 44, 40}, texts::kHintExitProgram),
    ui::HotSpot(kExitLabel1, "Label1", {24, 161, 41, 40}, texts::kHintCancel),
};
}  // namespace

ExitWindow::ExitWindow()
    : Form({"TForm5", texts::kExitWindowTitle, 362, 216, ui::kNoBorderIcons}, kLayout) {}

void ExitWindow::OnClick(int id) {
  if (id == kExitOk) OkClick();
  if (id == kExitLabel1) Label1Click();
}

void ExitWindow::OnKeyPress(int character) {
  if (character == 27) Label1Click();
  if (character == 13) OkClick();
}

void ExitWindow::OkClick() {
  if (!holdEnd_) ui::EndProgram();
  endRequested_ = true;
  Close();
}

void ExitWindow::HoldEnd() { holdEnd_ = true; }

void ExitWindow::ReleaseEnd() {
  holdEnd_ = false;
  if (endRequested_) ui::EndProgram();
}

void ExitWindow::Label1Click() { Close(); }
