#include "setup/engine/payload.h"

#include "win/files.h"

void ScanPayload(const std::string& prefix, PayloadInventory& inventory) {
  ListFolder(prefix + "*.*", kPayloadListingMask, [&](const ListedEntry& entry) {
    switch (ClassifyPayloadEntry(entry)) {
      case PayloadEntry::Folder:
        inventory.AddFolder(prefix + entry.name);
        ScanPayload(prefix + entry.name + "\\", inventory);
        break;
      case PayloadEntry::File:
        inventory.AddFile(prefix + entry.name, entry.size);
        break;
      case PayloadEntry::Skipped:
        break;
    }
  });
}
