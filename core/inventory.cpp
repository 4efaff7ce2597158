#include "core/inventory.h"

#include "core/names.h"

PayloadEntry ClassifyPayloadEntry(const ListedEntry& entry) {
  if (IsDotName(entry.name)) return PayloadEntry::Skipped;
  if (!PassesListingMask(entry.attributes, kPayloadListingMask) ||
      (entry.attributes & kReparsePointBit))
    return PayloadEntry::Skipped;
  return (entry.attributes & kFolderBit) ? PayloadEntry::Folder : PayloadEntry::File;
}

void WalkPayload(const std::string& prefix, const PayloadLister& list, PayloadInventory& inventory,
                 const PassedOverVisitor& passedOver) {
  list(prefix, [&](const ListedEntry& entry) {
    switch (ClassifyPayloadEntry(entry)) {
      case PayloadEntry::Folder:
        inventory.AddFolder(prefix + entry.name);
        WalkPayload(prefix + entry.name + "\\", list, inventory, passedOver);
        break;
      case PayloadEntry::File:
        inventory.AddFile(prefix + entry.name, entry.size);
        break;
      case PayloadEntry::Skipped:
        if (passedOver && !IsDotName(entry.name)) passedOver(prefix + entry.name, entry);
        break;
    }
  });
}
