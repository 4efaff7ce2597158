// The inventory of the payload tree, taken in one walk before anything is written.
#pragma once
#include "core/inventory.h"

#include <string>

// Lists the folder `prefix` (relative to the current folder, ending with "\", or empty for
// the current folder itself) and appends what it finds to the inventory, depth first in
// pre-order, in the order the listing returns entries: a folder's path is recorded before
// the entries below it. A folder that cannot be listed contributes nothing; nothing is
// reported.
void ScanPayload(const std::string& prefix, PayloadInventory& inventory);
