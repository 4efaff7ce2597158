#include "core/inventory.h"

PayloadEntry ClassifyPayloadEntry(const ListedEntry& entry) {
  if (entry.name == "." || entry.name == "..") return PayloadEntry::Skipped;
  if (!PassesListingMask(entry.attributes, kPayloadListingMask)) return PayloadEntry::Skipped;
  return (entry.attributes & kFolderBit) ? PayloadEntry::Folder : PayloadEntry::File;
}
