#include "uninstall/window.h"

#include <windows.h>

#include "common/record_file.h"
#include "core/names.h"
#include "core/removal.h"
#include "core/texts.h"
#include "uninstall/controls.h"
#include "uninstall/removal.h"
#include "win/files.h"

namespace {

const ui::Control kLayout[] = {
    ui::Picture(kUninstallImage1, "Image1", {0, 0, 801, 561}, 0, "BACKGROUND"),
    ui::HotSpot(kUninstallCancel, "cancel", {258, 469, 119, 49}, ""),
    ui::HotSpot(kUninstallOk, "ok", {443, 472, 117, 44}, ""),
    ui::Label(kUninstallTetr1, "tetr1", {200, 168, 417, 81},
              {"Tahoma", 48, ui::kRegular, ui::kBlue}, ui::kCentredText, texts::kUninstallTitle),
    ui::Label(kUninstallTetr2, "tetr2", {192, 256, 409, 33}, {"Tahoma", 16, ui::kRegular, ui::kRed},
              ui::kRightToLeft, ""),
    ui::Label(kUninstallTetr3, "Tetr3", {10, 511, 409, 33}, {"Tahoma", 16, ui::kRegular, ui::kRed},
              ui::kRightToLeft, ""),
};

const int kEscape = 27;

// The folder of the running program's file, with its last backslash.
std::string ProgramFolder() {
  const std::string own = ProgramFilePath();
  return own.substr(0, own.rfind('\\') + 1);
}

}  // namespace

UninstallWindow::UninstallWindow()
    : Form({"TForm1",
            texts::kUninstallTitle,
            799,
            538,
            ui::kDialogCloseBox,
            RGB(133, 177, 214),
            {"Tahoma", 13, ui::kBold}},
           kLayout) {}

void UninstallWindow::OnCreate() {
  // Beside the program, never in the current folder.
  const std::string path = ProgramFolder() + kProductRecordName;
  if (!FileExists(path)) {
    ui::ShowInformation(texts::kRecordMissing);
    ui::EndProgram();
  }
  ProductRecord record;
  unsigned long error = 0;
  if (!ReadProductRecord(path, &record, &error)) {
    // The error number alone; the window then opens with empty values.
    ui::ShowInformation(std::to_string(error));
    return;
  }
  programName_ = record.ProgramName;
  shortcutName_ = record.ShortcutName;
  SetText(kUninstallTetr1, record.Title1);
  SetText(kUninstallTetr2, record.Title2);
  SetText(kUninstallTetr3, record.Organization);
}

void UninstallWindow::OnClick(int id) {
  if (removing_) return;
  if (id == kUninstallCancel) ui::EndProgram();
  if (id == kUninstallOk) Remove();
}

void UninstallWindow::OnKeyPress(int character) {
  if (character == kEscape && !removing_) ui::EndProgram();
}

void UninstallWindow::Remove() {
  // Names that would reach beyond the product's own entry and shortcuts: nothing is touched.
  if (!programName_.empty() && !IsValidProgramName(programName_)) {
    ui::ShowWarning(texts::kProgramNameInvalid);
    ui::EndProgram();
  }
  if (!IsValidShortcutName(shortcutName_)) {
    ui::ShowWarning(texts::kShortcutNameInvalid);
    ui::EndProgram();
  }
  // From here on the work runs on a thread of its own, with the hourglass, while the window
  // answers (the shell folders and the deletes may take long); the messages wait for it.
  struct Removing {
    explicit Removing(bool& flag) : flag(flag) { flag = true; }
    ~Removing() { flag = false; }  // also after a failure: the button may be pressed again
    bool& flag;
  } removing(removing_);
  std::optional<std::string> uninstallString;
  bool mayEmpty = false;
  ui::RunAnswering(
      [&] {
        uninstallString = ReadUninstallString(programName_);
        // Only the folder this uninstaller was installed into, and never a system folder.
        mayEmpty = uninstallString && MayEmptyInstallFolder(*uninstallString, ProgramFolder());
      },
      ui::Pointer::kHourglass);
  if (!uninstallString) {
    ui::ShowInformation(texts::kUninstallEntryMissing);
    ui::EndProgram();
  }
  if (!mayEmpty) {
    ui::ShowWarning(texts::kInstallFolderProtected);
    ui::EndProgram();
  }
  const std::string installFolder = *InstallFolderFromUninstallString(*uninstallString);
  // The recycle bin is left as it is: what was removed stays restorable there, together
  // with everything the user had put there before.
  std::string script;
  ui::RunAnswering(
      [&] {
        DeleteInstallFolderContents(installFolder);
        RemoveShortcutsAndUninstallEntry(programName_, shortcutName_);
        script = WriteRemovalScript(installFolder + "\\" + kUninstallerFileName);
      },
      ui::Pointer::kHourglass);
  ui::ShowInformation(texts::kRemovalDone);
  StartRemovalScript(script);
  ui::EndProgram();
}
