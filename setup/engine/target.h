// Reproducing the payload below the install folder: the folder tree, and the two programs
// that travel as ".dat" files put in place under their runnable names. The file copy
// itself is CopyFileContents (win/files.h).
#pragma once
#include "core/inventory.h"

#include <functional>
#include <string>

// Creates a folder together with every missing folder above it: one trailing backslash is
// ignored; a path of fewer than 3 characters, an existing folder, or a drive or root
// ("C:", "C:\") is already there. True when the folder exists or was created.
bool CreateFolderPath(const std::string& path);

// Creates installFolder and every inventoried folder below it (existing ones stay as they
// are; a subfolder that cannot be created is not reported). When installFolder cannot be
// created, calls `warnAndEnd` with the warning text; the caller shows it and ends the
// program. Returns false in that case, having created nothing below it.
bool CreateTargetFolders(const std::string& installFolder, const PayloadInventory& inventory,
                         const std::function<void(const char* warning)>& warnAndEnd);

// Deletes a file at `target` if there is one, then renames `source` to `target`. Failures
// are silent: the file keeps its old name.
void RenamePayloadFile(const std::string& source, const std::string& target);

// The two renames after the copy: ProgramName + ".dat" becomes ProgramName + ".EXE" and
// "uninstall.dat" becomes "Uninstall.EXE", each only when the ".dat" file exists. An older
// ".EXE" of a previous installation is replaced.
void RenamePayloadPrograms(const std::string& installFolder, const std::string& programName);
