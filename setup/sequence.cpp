// The installation sequence, run by the main window's confirm hot-spot: the steps of
// RunInstallation carried out on this machine and in this window.
#include "setup/sequence.h"

#include "core/windows_version.h"
#include "setup/controls.h"
#include "setup/engine/payload.h"
#include "setup/engine/shortcuts.h"
#include "setup/engine/target.h"
#include "setup/system/locale.h"
#include "setup/system/restart.h"
#include "setup/system/system_files.h"
#include "common/record_file.h"
#include "win/drive_space.h"
#include "win/files.h"
#include "win/windows_info.h"

#include <windows.h>

namespace {

class WindowInstallationSteps : public InstallationSteps {
 public:
  WindowInstallationSteps(ui::Form& window, ExitWindow& exitWindow)
      : window_(window), exitWindow_(exitWindow) {}

  void ApplyPersianLocale(int mode) override { ::ApplyPersianLocale(static_cast<uint8_t>(mode)); }
  void ChangeFolder(const std::string& folder) override {
    // Not examined: a wrong folder shows at the copy. A name with a NUL byte names no folder.
    if (folder.find('\0') == std::string::npos) SetCurrentFolder(folder);
  }
  const PayloadInventory& ScanPayload() override {
    inventory_ = PayloadInventory();
    ::ScanPayload("", inventory_);
    return inventory_;
  }
  std::optional<uint64_t> FreeBytes(const std::string& driveRoot) override {
    DriveSpaceBytes space;
    if (!QueryDriveSpace(driveRoot, &space)) return std::nullopt;
    return space.freeForUser;
  }
  void CreateTargetFolders(const std::string& installFolder, const PayloadInventory& inventory) override {
    ::CreateTargetFolders(installFolder, inventory, [](const char* warning) {
      ui::ShowWarning(warning);
      ui::EndProgram();
    });
  }
  void ShowProgress(uint64_t maximum) override {
    window_.SetVisible(kWait, true);
    window_.SetVisible(kGauge1, true);
    window_.SetGaugeMax(kGauge1, static_cast<int64_t>(maximum));
    window_.StartAnimation(kAnimate1);
    window_.SetVisible(kAnimate1, true);
  }
  void SetProgress(uint64_t value) override { window_.SetGaugeValue(kGauge1, static_cast<int64_t>(value)); }
  void StopProgress() override {
    window_.StopAnimation(kAnimate1);
    window_.SetVisible(kAnimate1, false);
    window_.SetVisible(kWait, false);
  }
  void InstallSystemFiles() override { ::InstallSystemFiles(); }
  void InstallFonts() override { ::InstallFonts(); }
  bool FileExists(const std::string& path) override { return ::FileExists(path); }
  // The window handles its messages between chunks too, so that it answers during a large
  // file. An exit confirmed meanwhile ends the program once the file is whole: no file is
  // left cut short under its name.
  void CopyFileContents(const std::string& source, const std::string& target) override {
    struct EndAfterTheFile {
      ExitWindow& exitWindow;
      ~EndAfterTheFile() { exitWindow.ReleaseEnd(); }
    } endAfterTheFile{exitWindow_};
    exitWindow_.HoldEnd();
    ::CopyFileContents(source, target, [this] { PumpMessages(); });
  }
  // Each pass costs calls to the system (several under Wine), so the window handles its
  // messages every few milliseconds rather than after every file or chunk; that is still
  // far more often than a user or Windows notices.
  void PumpMessages() override {
    const DWORD now = GetTickCount();
    if (now - lastPump_ < kPumpInterval) return;
    lastPump_ = now;
    ui::ProcessMessages();
  }
  void RenamePayloadPrograms(const std::string& installFolder,
                             const std::string& programName) override {
    ::RenamePayloadPrograms(installFolder, programName);
  }
  void WriteProductRecord(const std::string& installFolder, const ProductRecord& record) override {
    ::WriteProductRecord(installFolder, record);
  }
  void CreateShortcutsAndUninstallEntry(const std::string& installFolder,
                                        const std::string& programName,
                                        const std::string& shortcutName,
                                        const std::string& menuGroup) override {
    ::CreateShortcutsAndUninstallEntry(installFolder, programName, shortcutName, menuGroup);
  }
  bool RunsSecondLocaleStep() override { return ::RunsSecondLocaleStep(RunningWindowsVersion()); }
  // ImageToz grows to the window's outer size from the client area's top-left corner.
  void ShowSuccessPicture() override {
    RECT outer;
    GetWindowRect(window_.handle(), &outer);
    window_.SetBounds(kImageToz, {0, 0, outer.right - outer.left, outer.bottom - outer.top});
    window_.SetVisible(kImageToz, true);
  }
  void ShowInformation(const std::string& text) override { ui::ShowInformation(text); }
  bool Confirm(const std::string& text) override { return ui::Confirm(text); }
  void RestartWindows() override { ::RestartWindows(); }
  void EndProgram() override { ui::EndProgram(); }

 private:
  static constexpr DWORD kPumpInterval = 20;  // milliseconds
  ui::Form& window_;
  ExitWindow& exitWindow_;
  DWORD lastPump_ = GetTickCount();
  PayloadInventory inventory_;
};

}  // namespace

InstallationOutcome RunWindowInstallation(ui::Form& window, ExitWindow& exitWindow,
                                          const InstallationInputs& inputs) {
  WindowInstallationSteps steps(window, exitWindow);
  return RunInstallation(inputs, steps);
}
