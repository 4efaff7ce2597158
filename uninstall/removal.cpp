#include "uninstall/removal.h"

#include "common/shell_folders.h"
#include "core/failure.h"
#include "core/names.h"
#include "core/removal.h"
#include "core/texts.h"
#include "win/files.h"
#include "win/process.h"
#include "win/registry.h"
#include "win/shell_delete.h"
#include "win/system_folders.h"
#include "win/temp_files.h"
#include "win/windows_info.h"

#include <windows.h>

#include <vector>

std::optional<std::string> ReadUninstallString(const std::string& programName) {
  if (!IsValidProgramName(programName)) return std::nullopt;
  Registry machine(HKEY_LOCAL_MACHINE);
  // A key that cannot be opened nor created (no rights) reads as an empty value.
  machine.OpenOrCreate(UninstallKey(programName));
  std::string value = machine.ReadString("UninstallString");
  if (!InstallFolderFromUninstallString(value)) return std::nullopt;
  return value;
}

bool MayEmptyInstallFolder(const std::string& uninstallString, const std::string& ownFolder) {
  if (!NamesUninstaller(uninstallString)) return false;
  // The folder as the listing below addresses it: "C:" lists the root of drive C, not the
  // current folder of that drive.
  const std::string folder =
      LongFullPath(*InstallFolderFromUninstallString(uninstallString) + "\\");
  if (HasLinkOnPath(folder)) return false;
  const std::string resolved = FinalPath(folder);
  if (!SameFolder(resolved, FinalPath(ownFolder))) return false;
  // Each protected folder both as the system names it and as it resolves, so that a short
  // name or a link in the system's own spelling hides none of them.
  std::vector<std::string> kept;
  for (const std::string& each : ProtectedFolders()) {
    if (each.empty()) continue;
    kept.push_back(LongFullPath(each));
    kept.push_back(FinalPath(each));
  }
  const std::string windows = WindowsFolder();
  const std::vector<std::string> trees = {LongFullPath(windows), FinalPath(windows)};
  return !IsProtectedFolder(folder, kept, trees) && !IsProtectedFolder(resolved, kept, trees);
}

void DeleteInstallFolderContents(const std::string& installFolder) {
  // The names are taken first, then deleted in listing order, so that the listing never runs
  // over entries that are moving away.
  std::vector<std::string> names;
  ListFolder(installFolder + "\\*.*", kEveryEntryMask, [&](const ListedEntry& entry) {
    if (!IsDotName(entry.name) && !IsUninstallerFileName(entry.name)) names.push_back(entry.name);
  });
  for (const std::string& name : names) ShellDeletePath(installFolder + "\\" + name);
}

void RemoveShortcutsAndUninstallEntry(const std::string& programName,
                                      const std::string& shortcutName) {
  // A name that is not one plain name would make the key the list of all installed programs
  // or another product's entry.
  auto deleteEntry = [&] {
    if (IsValidProgramName(programName))
      Registry(HKEY_LOCAL_MACHINE).DeleteKey(UninstallKey(programName));
  };
  try {
    if (!IsValidShortcutName(shortcutName)) throw Failure(texts::kShortcutNameInvalid);
    const std::string link = LinkFileName(shortcutName);
    // Plain deletes whose failure (a shortcut already gone) means nothing to the user.
    DeleteFileAt(ReadShellFolder(kDesktopValue) + "\\" + link);
    const std::string group = ReadShellFolder(kStartMenuValue) + kRemovedGroupFolder;
    // A group that is not there is not handed to the shell, which would report it missing.
    if (FolderExists(group)) ShellDeletePath(group);
    DeleteFileAt(group + "\\" + link);
    // The group folder goes when no file with content remains; sub-folders list with size 0.
    bool fileRemains = false;
    ListFolder(group + "\\*.*", kEveryEntryMask, [&](const ListedEntry& entry) {
      if (!IsDotName(entry.name) && uint32_t(entry.size) != 0) fileRemains = true;
    });
    if (!fileRemains) RemoveFolder(group);
  } catch (...) {
    deleteEntry();
    throw;
  }
  deleteEntry();
}

std::string WriteRemovalScript(const std::string& selfPath) {
  const std::string scriptPath = NewTempFileName(".bat");
  // Read-only, hidden and system bits would make every delete of the script fail.
  SetPlainAttributes(selfPath);
  // The command interpreter reads a batch file in the OEM code page, not in ours.
  WriteFileBytes(scriptPath, RemovalScript(OemPathText(selfPath), OemPathText(scriptPath)));
  const std::string temp = TempFolderPath();
  if (!SetCurrentFolder(temp)) RaiseSystemFailure(texts::kCannotChangeFolder, temp);
  return scriptPath;
}

void StartRemovalScript(const std::string& scriptPath) {
  // Not examined: the program ends next whatever happens.
  StartHidden(RemovalScriptCommand(scriptPath));
}
