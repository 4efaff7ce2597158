#include "setup/engine/target.h"

#include "core/texts.h"
#include "win/files.h"

bool CreateFolderPath(const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  if (folder.size() < 3 || FolderExists(folder)) return true;
  std::string parent = folder.substr(0, folder.find_last_of("\\:") + 1);
  if (parent == folder) return true;
  return CreateFolderPath(parent) && CreateFolder(folder);
}

bool CreateTargetFolders(const std::string& installFolder, const PayloadInventory& inventory,
                         const std::function<void(const char* warning)>& warnAndEnd) {
  if (!FolderExists(installFolder)) CreateFolderPath(installFolder);
  if (!FolderExists(installFolder)) {
    warnAndEnd(texts::kInstallFolderNotCreatable);
    return false;
  }
  // A subfolder that fails shows up as the first copy into it failing to create its target.
  for (const std::string& folder : inventory.FolderPaths)
    CreateFolderPath(installFolder + "\\" + folder);
  return true;
}

void RenamePayloadFile(const std::string& source, const std::string& target) {
  if (FileExists(target)) DeleteFileAt(target);
  RenameFile(source, target);  // a failed rename leaves the ".dat" file
}

void RenamePayloadPrograms(const std::string& installFolder, const std::string& programName) {
  const std::string program = installFolder + "\\" + programName;
  if (FileExists(program + ".dat")) RenamePayloadFile(program + ".DAT", program + ".EXE");
  if (FileExists(installFolder + "\\uninstall.dat"))
    RenamePayloadFile(installFolder + "\\uninstall.DAT", installFolder + "\\Uninstall.EXE");
}
