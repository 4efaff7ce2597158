#include "core/installation.h"

#include "core/installation_rules.h"
#include "core/texts.h"

InstallationOutcome RunInstallation(const InstallationInputs& in, InstallationSteps& steps) {
  // Without a target there is no drive to check and no folder to install into.
  const std::optional<std::string> driveRoot = TargetDriveRoot(in.installFolder);
  if (!driveRoot) return InstallationOutcome::kNoTargetPath;

  if (const std::optional<int> mode = FirstLocaleMode(in.localeMode))
    steps.ApplyPersianLocale(*mode);

  // The chooser moves the current folder while the user browses; the payload paths are
  // relative, so the walk starts again from the start folder.
  steps.ChangeFolder(in.startFolder);
  steps.ChangeFolder(in.sourceFolder);
  const PayloadInventory& inventory = steps.ScanPayload();
  // From here on the current folder is the parent of the payload folder: the System and
  // Fonts folders and the copy sources are found from there.
  steps.ChangeFolder("..");

  if (!HasRoomFor(steps.FreeBytes(*driveRoot), inventory.TotalSize)) {
    steps.ShowInformation(texts::kNotEnoughSpace);
    steps.EndProgram();
    return InstallationOutcome::kEnded;
  }

  const std::string& installFolder = in.installFolder;
  steps.CreateTargetFolders(installFolder, inventory);
  steps.ShowProgress(inventory.TotalSize);
  steps.InstallSystemFiles();
  steps.InstallFonts();

  uint64_t copiedBytes = 0;
  for (size_t i = 0; i < inventory.FileCount(); ++i) {
    const std::string& path = inventory.FilePaths[i];
    const std::string target = installFolder + "\\" + path;
    // An existing target is never overwritten: a second run copies only what is missing.
    if (!steps.FileExists(target)) steps.CopyFileContents(in.sourceFolder + "\\" + path, target);
    copiedBytes += inventory.FileSizes[i];
    steps.SetProgress(copiedBytes);
    steps.PumpMessages();
  }

  steps.RenamePayloadPrograms(installFolder, in.programName);
  steps.WriteProductRecord(installFolder, {in.title1, in.title2, in.defaultFolderName,
                                           in.programName, in.shortcutName, in.organization});
  steps.CreateShortcutsAndUninstallEntry(installFolder, in.programName, in.shortcutName,
                                         in.menuGroup);
  if (steps.RunsSecondLocaleStep()) steps.ApplyPersianLocale(0);
  steps.StopProgress();

  if (FinalScreenFor(in.localeMode) == FinalScreen::kSuccessPicture) {
    steps.ShowSuccessPicture();
    steps.ShowInformation(texts::kInstalledSuccessfully);
  } else if (steps.Confirm(RestartQuestionText())) {
    steps.RestartWindows();
  }
  steps.EndProgram();
  return InstallationOutcome::kEnded;
}
