#include "common/shell_folders.h"

#include "core/names.h"
#include "win/registry.h"

std::string ReadShellFolder(const std::string& valueName) {
  Registry registry(HKEY_CURRENT_USER);
  registry.OpenOrCreate(kExplorerKey);
  registry.Open(kShellFoldersKey);
  return registry.ReadString(valueName);
}
