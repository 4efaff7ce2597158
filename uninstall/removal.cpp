#include "uninstall/removal.h"

#include "common/shell_folders.h"
#include "core/names.h"
#include "core/removal.h"
#include "core/texts.h"
#include "win/files.h"
#include "win/process.h"
#include "win/registry.h"
#include "win/shell_delete.h"
#include "win/system_folders.h"
#include "win/temp_files.h"

#include <windows.h>

#include <vector>

namespace {
const uint32_t kEveryEntry = 63;
bool IsDots(const std::string& name) { return name == "." || name == ".."; }
}  // namespace

std::optional<std::string> ReadInstallFolder(const std::string& programName) {
  if (programName.empty()) return std::nullopt;
  Registry machine(HKEY_LOCAL_MACHINE);
  // A key that cannot be opened nor created (no rights) reads as an empty value.
  machine.Open(UninstallKey(programName), true);
  return InstallFolderFromUninstallString(machine.ReadString("UninstallString"));
}

bool IsSystemFolder(const std::string& installFolder) {
  // The folder as the listing below addresses it: "C:" lists the root of drive C, not the
  // current folder of that drive.
  return IsProtectedFolder(LongFullPath(installFolder + "\\"), ProtectedFolders());
}

void DeleteInstallFolderContents(const std::string& installFolder) {
  // The names are taken first, then deleted in listing order, so that the listing never runs
  // over entries that are moving away.
  std::vector<std::string> names;
  ListFolder(installFolder + "\\*.*", kEveryEntry, [&](const ListedEntry& entry) {
    if (!IsDots(entry.name) && !IsUninstallerFileName(entry.name)) names.push_back(entry.name);
  });
  for (const std::string& name : names) ShellDeletePath(installFolder + "\\" + name);
}

void RemoveShortcutsAndUninstallEntry(const std::string& programName,
                                      const std::string& shortcutName) {
  // An empty name would make the uninstall key the list of all installed programs.
  auto deleteEntry = [&] {
    if (!programName.empty()) Registry(HKEY_LOCAL_MACHINE).DeleteKey(UninstallKey(programName));
  };
  try {
    const std::string link = LinkFileName(shortcutName);
    // Plain deletes whose failure (a shortcut already gone) means nothing to the user.
    DeleteFileAt(ReadShellFolder(kDesktopValue) + "\\" + link);
    const std::string group = ReadShellFolder(kStartMenuValue) + kRemovedGroupFolder;
    // A group that is not there is not handed to the shell, which would report it missing.
    if (FolderExists(group)) ShellDeletePath(group);
    DeleteFileAt(group + "\\" + link);
    // The group folder goes when no file with content remains; sub-folders list with size 0.
    bool fileRemains = false;
    ListFolder(group + "\\*.*", kEveryEntry, [&](const ListedEntry& entry) {
      if (!IsDots(entry.name) && uint32_t(entry.size) != 0) fileRemains = true;
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
  if (!SetCurrentFolder(temp)) RaiseSystemFailure(texts::kCannotChangeFolder, temp, GetLastError());
  return scriptPath;
}

void StartRemovalScript(const std::string& scriptPath) {
  // Not examined: the program ends next whatever happens.
  StartHidden(RemovalScriptCommand(scriptPath));
}
