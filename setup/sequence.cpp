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

  void ApplyPersianLocale(int mode) override {
    AsStep([mode] { ::ApplyPersianLocale(static_cast<uint8_t>(mode)); });
  }
  void ChangeFolder(const std::string& folder) override {
    // Not examined: a wrong folder shows at the copy. A name with a NUL byte names no folder.
    if (folder.find('\0') == std::string::npos) SetCurrentFolder(folder);
  }
  const PayloadInventory& ScanPayload() override {
    inventory_ = PayloadInventory();
    AsStep([this] { ::ScanPayload("", inventory_); });
    return inventory_;
  }
  std::optional<uint64_t> FreeBytes(const std::string& driveRoot) override {
    DriveSpaceBytes space;
    if (!QueryDriveSpace(driveRoot, &space)) return std::nullopt;
    return space.freeForUser;
  }
  void CreateTargetFolders(const std::string& installFolder,
                           const PayloadInventory& inventory) override {
    // The warning waits for the step's end: only this thread may show it.
    const char* warning = nullptr;
    AsStep([&] {
      ::CreateTargetFolders(installFolder, inventory, [&](const char* text) { warning = text; });
    });
    if (warning) {
      ui::ShowWarning(warning);
      ui::EndProgram();
    }
  }
  void ShowProgress(uint64_t maximum) override {
    window_.SetVisible(kWait, true);
    window_.SetVisible(kGauge1, true);
    window_.SetGaugeMax(kGauge1, static_cast<int64_t>(maximum));
    window_.StartAnimation(kAnimate1);
    window_.SetVisible(kAnimate1, true);
  }
  void SetProgress(uint64_t value) override {
    window_.SetGaugeValue(kGauge1, static_cast<int64_t>(value));
  }
  void StopProgress() override {
    window_.StopAnimation(kAnimate1);
    window_.SetVisible(kAnimate1, false);
    window_.SetVisible(kWait, false);
  }
  void InstallSystemFiles() override {
    AsStep([] { ::InstallSystemFiles(); });
  }
  void InstallFonts() override {
    AsStep([] { ::InstallFonts(); });
  }
  bool FileExists(const std::string& path) override { return ::FileExists(path); }
  // The window handles its messages between chunks of a file too; a large file is copied
  // on a thread of its own, as the system may hold one write of it back for a long time (a
  // writer with much unwritten data waits for the disk), while the window answers at once.
  // An exit confirmed meanwhile ends the program once the file is whole: no file is left cut
  // short under its name.
  void CopyFileContents(const std::string& source, const std::string& target) override {
    EndAfter endAfterTheFile(exitWindow_);
    if (FileSizeAt(source) >= kOwnThreadBytes)
      ui::RunAnswering([&] { ::CopyFileContents(source, target); });
    else
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
    AsStep([&] { ::RenamePayloadPrograms(installFolder, programName); });
  }
  void WriteProductRecord(const std::string& installFolder, const ProductRecord& record) override {
    AsStep([&] { ::WriteProductRecord(installFolder, record); });
  }
  void CreateShortcutsAndUninstallEntry(const std::string& installFolder,
                                        const std::string& programName,
                                        const std::string& shortcutName,
                                        const std::string& menuGroup) override {
    AsStep([&] {
      ::CreateShortcutsAndUninstallEntry(installFolder, programName, shortcutName, menuGroup);
    });
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
  // While held, an exit confirmed in the exit window waits; it ends the program on release.
  struct EndAfter {
    explicit EndAfter(ExitWindow& exitWindow) : exitWindow(exitWindow) { exitWindow.HoldEnd(); }
    ~EndAfter() { exitWindow.ReleaseEnd(); }
    ExitWindow& exitWindow;
  };
  // The steps before and after the copy run on a thread of their own while the window
  // handles its messages, so that it answers within a step too, even during one long system
  // call. An exit confirmed meanwhile ends the program once the step is done: no step is
  // left halfway. Next1 and change stay ignored while the installation runs.
  void AsStep(const std::function<void()>& step) {
    EndAfter endAfterTheStep(exitWindow_);
    ui::RunAnswering(step);
  }

  static constexpr DWORD kPumpInterval = 20;  // milliseconds
  static constexpr uint64_t kOwnThreadBytes = 1 << 20;
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
