// The installation behind the main window's confirm button, from the first locale step to
// the end of the program, written over the operations it calls so that its order and its
// decisions stand in one place. The installer supplies the operations; nothing here touches
// the system itself.
#pragma once
#include "core/inventory.h"
#include "core/record.h"

#include <cstdint>
#include <optional>
#include <string>

struct InstallationInputs {
  std::string startFolder;
  std::string sourceFolder;
  std::string defaultFolderName;
  std::string programName;
  std::string shortcutName;
  std::string menuGroup;
  std::string organization;
  std::string localeMode;
  std::string installFolder;  // as the main window shows it; empty when there is none
  std::string title1;         // the captions of the title labels as they stand
  std::string title2;
};

class InstallationSteps {
 public:
  virtual ~InstallationSteps() = default;
  virtual void ApplyPersianLocale(int mode) = 0;
  // Makes a folder the current folder of the process; the result is not examined.
  virtual void ChangeFolder(const std::string& folder) = 0;
  // Takes a new inventory of the current folder; it lives until the next call.
  virtual const PayloadInventory& ScanPayload() = 0;
  // Free bytes available to the user on the drive of that root; nothing when the query fails.
  virtual std::optional<uint64_t> FreeBytes(const std::string& driveRoot) = 0;
  // Ends the program when the install folder cannot be created.
  virtual void CreateTargetFolders(const std::string& installFolder,
                                   const PayloadInventory& inventory) = 0;
  // Shows the wait text, the gauge with that maximum and the playing animation.
  virtual void ShowProgress(uint64_t maximum) = 0;
  virtual void SetProgress(uint64_t value) = 0;
  // Stops and hides the animation and hides the wait text; the gauge stays.
  virtual void StopProgress() = 0;
  virtual void InstallSystemFiles() = 0;
  virtual void InstallFonts() = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual void CopyFileContents(const std::string& source, const std::string& target) = 0;
  // One pass over the pending window messages: repaint, progress, the user's input.
  virtual void PumpMessages() = 0;
  // <programName>.dat becomes <programName>.EXE and uninstall.dat Uninstall.EXE, where present.
  virtual void RenamePayloadPrograms(const std::string& installFolder,
                                     const std::string& programName) = 0;
  virtual void WriteProductRecord(const std::string& installFolder,
                                  const ProductRecord& record) = 0;
  virtual void CreateShortcutsAndUninstallEntry(const std::string& installFolder,
                                                const std::string& programName,
                                                const std::string& shortcutName,
                                                const std::string& menuGroup) = 0;
  virtual bool RunsSecondLocaleStep() = 0;
  virtual void ShowSuccessPicture() = 0;
  virtual void ShowInformation(const std::string& text) = 0;
  virtual bool Confirm(const std::string& text) = 0;
  virtual void RestartWindows() = 0;
  // Ends the process at once with exit code 0.
  virtual void EndProgram() = 0;
};

enum class InstallationOutcome {
  kEnded,         // the program was ended (only a stand-in for the system returns here)
  kNoTargetPath,  // the install folder is empty: nothing was done
};

// Runs the installation. Failures raised by an operation leave it where they occur; a second
// run skips the payload files already in the target.
InstallationOutcome RunInstallation(const InstallationInputs& inputs, InstallationSteps& steps);
