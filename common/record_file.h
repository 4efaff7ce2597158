// INSTALL.CFG on disk: the installer writes it into the install folder, the uninstaller reads
// it from beside its own program file.
#pragma once
#include "core/record.h"

#include <string>

// Writes installFolder + "\INSTALL.CFG", replacing an existing file, readable by others
// meanwhile. Nothing is reported: a record that cannot be created or written in full is
// found missing or short by the uninstaller.
void WriteProductRecord(const std::string& installFolder, const ProductRecord& record);

// Reads the record at path. False, with the system's error number, when the file cannot be
// opened or read.
bool ReadProductRecord(const std::string& path, ProductRecord* record, unsigned long* error);
