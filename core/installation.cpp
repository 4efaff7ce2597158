#include "core/installation.h"

#include "core/installation_rules.h"
#include "core/texts.h"

InstallationOutcome RunInstallation(const InstallationInputs& in, InstallationSteps& steps) {
  // Without a target there is no drive to check and no folder to install into.
  const std::optional<std::string> driveRoot = TargetDriveRoot(in.targetPath);
  if (!driveRoot) return InstallationOutcome::kNoTargetPath;

  if (const std::optional<int> mode = FirstLocaleMode(in.localeMode)) steps.ApplyPersianLocale(*mode);

  // The chooser moves the current folder while the user browses; the payload paths are
  // relative, so the walk starts again from the start folder.
  steps.ChangeFolder(in.startFolder);
  steps.ChangeFolder(in.sourceFolder);
  const uint64_t totalSize = steps.ScanPayload();
  // From here on the current folder is the parent of the payload folder: the System and
  // Fonts folders and the copy sources are found from there.
  steps.ChangeFolder("..");

  if (!HasRoomFor(steps.FreeBytes(*driveRoot), totalSize)) {
    steps.ShowInformation(texts::kNotEnoughSpace);
    steps.EndProgram();
    return InstallationOutcome::kEnded;
  }

  const std::string installFolder = in.targetPath;
  steps.CreateTargetFolders(installFolder);
  steps.ShowProgress(totalSize);
  steps.InstallSystemFiles();
  steps.InstallFonts();

  uint64_t copiedBytes = 0;
  const size_t fileCount = steps.PayloadFileCount();
  for (size_t i = 0; i < fileCount; ++i) {
    const PayloadFile file = steps.PayloadFileAt(i);
    const std::string target = installFolder + "\\" + file.path;
    // An existing target is never overwritten: a second run copies only what is missing.
    if (!steps.FileExists(target)) steps.CopyFileContents(in.sourceFolder + "\\" + file.path, target);
    copiedBytes += file.size;
    steps.SetProgress(copiedBytes);
    steps.PumpMessages();
  }

  // The programs travel as .dat files and become runnable only in the install folder,
  // replacing those of an earlier installation.
  const std::string programBase = installFolder + "\\" + in.programName;
  if (steps.FileExists(programBase + ".dat")) steps.RenamePayloadFile(programBase + ".DAT", programBase + ".EXE");
  if (steps.FileExists(installFolder + "\\uninstall.dat"))
    steps.RenamePayloadFile(installFolder + "\\uninstall.DAT", installFolder + "\\Uninstall.EXE");

  steps.WriteProductRecord(installFolder + "\\INSTALL.CFG",
                           {in.title1, in.title2, in.defaultFolderName, in.programName, in.shortcutName,
                            in.organization});
  steps.CreateShortcutsAndUninstallEntry(installFolder);
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
