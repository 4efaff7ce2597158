#include "setup/engine/payload.h"

#include "win/files.h"

void ScanPayload(const std::string& prefix, PayloadInventory& inventory) {
  WalkPayload(
      prefix,
      [](const std::string& folder, const std::function<void(const ListedEntry&)>& visit) {
        ListFolder(folder + "*.*", kEveryEntryMask, visit);
      },
      inventory);
}
