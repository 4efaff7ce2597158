#include "setup/main_window.h"

#include "core/chooser.h"
#include "core/names.h"
#include "core/setup_config.h"
#include "core/texts.h"
#include "setup/controls.h"
#include "setup/sequence.h"
#include "win/files.h"
#include "win/windows_info.h"

#include <windows.h>

namespace {
using ui::kAutoSize;
using ui::kBold;
using ui::kCentredText;
using ui::kHidden;
using ui::kLeftToRight;
using ui::kRegular;
using ui::kRightToLeft;

// The main window's controls, positions in client pixels (left, top, width, height; a label
// sized to its text has width and height 0).
const ui::Control kLayout[] = {
    ui::Picture(kImage1, "Image1", {0, 0, 790, 536}, ui::kCentred, "BACKGROUND"),
    ui::HotSpot(kNext1, "Next1", {706, 385, 47, 52}, texts::kHintConfirm),
    ui::HotSpot(kCancel, "cancel", {705, 446, 49, 45}, texts::kHintCancel),
    ui::HotSpot(kChange, "change", {236, 412, 100, 27}, texts::kHintChangePath),
    ui::Label(kPath, "path", {239, 386, 0, 0}, {"Arabic Transparent", 16, kBold, ui::kBlack},
              kLeftToRight | kAutoSize, ""),
    ui::Label(kWait, "wait", {306, 325, 267, 20}, {"Tahoma", 11, kRegular, ui::kBlack},
              kLeftToRight | kHidden, texts::kPleaseWait),
    ui::Gauge(kGauge1, "Gauge1", {198, 344, 380, 16}, {"Tahoma", 11, kRegular, ui::kBlack},
              ui::kNavy, kHidden),
    ui::Animation(kAnimate1, "Animate1", {198, 363, 381, 82}, RGB(96, 104, 207), kHidden),
    ui::Label(kTetr1, "tetr1", {192, 136, 393, 76}, {"Tahoma", 32, kRegular, ui::kWhite},
              kCentredText, texts::kSetupBuiltInTitle),
    ui::Label(kTetr2, "tetr2", {249, 218, 0, 0}, {"Tahoma", 19, kRegular, ui::kRed},
              kRightToLeft | kAutoSize, ""),
    ui::Label(kTetr3, "Tetr3", {264, 19, 515, 36}, {"Tahoma", 19, kRegular, ui::kWhite},
              kRightToLeft, ""),
    ui::Picture(kImageToz, "ImageToz", {0, 0, 105, 105}, kHidden, "FINISHED"),
};
}  // namespace

MainWindow::MainWindow(InstallerState& state, ChooserWindow& chooser, ExitWindow& exitWindow)
    : Form({"TForm1", texts::kSetupWindowTitle, 790, 534, ui::kCloseBox}, kLayout),
      state_(state),
      chooser_(chooser),
      exitWindow_(exitWindow) {}

void MainWindow::OnCreate() { FormCreate(); }

// Start-up: StartFolder, REG.CFG into the settings, the title labels, the optional
// background picture, the proposed install folder and the default start-menu group.
void MainWindow::FormCreate() {
  state_.StartFolder = CurrentFolder();
  if (!FileExists("REG.CFG")) {
    ui::ShowInformation(texts::kSettingsFileMissing);
    ui::EndProgram();
  }
  std::string bytes;
  unsigned long error = 0;
  if (!ReadWholeFile("REG.CFG", &bytes, &error)) {
    // Start-up goes on with empty settings.
    ui::ShowInformation(std::to_string(error));
    return;
  }
  SetupConfig& config = state_.Config;
  config = ParseSetupConfig(bytes);
  // Names that would reach beyond the product's own entry and shortcuts: nothing is written.
  if (!IsValidProgramName(config.ProgramName)) {
    ui::ShowWarning(texts::kProgramNameInvalid);
    ui::EndProgram();
  }
  if (!IsValidShortcutName(config.ShortcutName)) {
    ui::ShowWarning(texts::kShortcutNameInvalid);
    ui::EndProgram();
  }
  SetText(kTetr1, config.Title1);
  SetText(kTetr2, config.Title2);
  SetText(kTetr3, config.Organization);
  // A picture that cannot be loaded raises its failure here: the steps below are skipped.
  if (!config.BackgroundPicture.empty() && FileExists(config.BackgroundPicture))
    LoadPicture(kImage1, config.BackgroundPicture);
  SetInstallFolder(DefaultInstallPath(WindowsFolder(), config.DefaultFolderName));
  if (config.MenuGroup.empty()) config.MenuGroup = texts::kDefaultMenuGroup;
}

void MainWindow::OnClick(int id) {
  if (id == kNext1) Next1Click();
  if (id == kChange) changeClick();
  if (id == kCancel) cancelClick();
}

void MainWindow::SetInstallFolder(const std::string& folder) {
  state_.InstallFolder = folder;
  SetText(kPath, folder);
}

// The confirm hot-spot. While the installation runs (the window handles input throughout
// it) further clicks here and on change are ignored. Without an install folder (after a
// failed start-up) nothing is done and the chooser opens, so the user can pick one.
void MainWindow::Next1Click() {
  if (installing_) return;
  const SetupConfig& config = state_.Config;
  InstallationInputs inputs;
  inputs.startFolder = state_.StartFolder;
  inputs.sourceFolder = config.SourceFolder;
  inputs.defaultFolderName = config.DefaultFolderName;
  inputs.programName = config.ProgramName;
  inputs.shortcutName = config.ShortcutName;
  inputs.menuGroup = config.MenuGroup;
  inputs.organization = config.Organization;
  inputs.localeMode = config.LocaleMode;
  inputs.installFolder = state_.InstallFolder;
  inputs.title1 = Text(kTetr1);
  inputs.title2 = Text(kTetr2);

  installing_ = true;
  InstallationOutcome outcome;
  try {
    outcome = RunWindowInstallation(*this, exitWindow_, inputs);
  } catch (...) {
    installing_ = false;  // the guard shows the failure; a second click runs it again
    throw;
  }
  installing_ = false;
  if (outcome == InstallationOutcome::kNoTargetPath) changeClick();
}

// The change hot-spot: the chooser opens at the parent of the proposed install folder, or at
// drive C's root when that folder does not exist; ok puts the picked folder and the
// product's folder name into the install folder, cancel leaves it. Ignored while the
// installation runs.
void MainWindow::changeClick() {
  if (installing_) return;
  const std::string& name = state_.Config.DefaultFolderName;
  std::string start = ParentOfTarget(state_.InstallFolder, name);
  if (!FolderExists(start)) start = "C:\\";
  if (const std::optional<std::string> target = chooser_.Choose(start, name))
    SetInstallFolder(*target);
}

void MainWindow::cancelClick() { exitWindow_.ShowModal(); }

// Escape opens the exit confirmation; every other key, Enter included, is ignored.
void MainWindow::OnKeyPress(int character) {
  if (character == 27) cancelClick();
}

// The close box asks first; when the confirmation returns, the program goes on.
bool MainWindow::OnCloseQuery() {
  exitWindow_.ShowModal();
  return false;
}
