#include "common/shell_folders.h"

#include "core/names.h"
#include "win/registry.h"

std::string ReadShellFolder(const std::string& valueName) {
  Registry registry(HKEY_CURRENT_USER);
  registry.Open(kExplorerKey, true);
  registry.Open(kShellFoldersKey, false);
  return registry.ReadString(valueName);
}
