// The removal of the product behind the uninstaller's ok button: the install folder from the
// uninstall entry, its content into the recycle bin, the shortcuts, the start-menu group and
// the uninstall entry, and the script that removes the uninstaller's own file once it ends.
// Each step takes its inputs as arguments; the window decides what the user is told.
#pragma once
#include <optional>
#include <string>

// The start-menu group folder the uninstaller removes, below the "Start Menu" folder.
inline constexpr char kRemovedGroupFolder[] = "\\programs\\selvara";

// The UninstallString of the product's uninstall entry (the key is created when missing).
// None for a program name that IsValidProgramName refuses, a missing entry or value, or a
// value too short to name a folder.
std::optional<std::string> ReadUninstallString(const std::string& programName);

// True when the uninstaller may empty the folder that the entry's UninstallString names: the
// value names an "Uninstall.exe", the folder before it is the folder of the running program
// (ownFolder), both compared as final paths, no link or junction lies on the way to it, and it
// is no folder that must not be emptied (a drive's root, the Windows folder or any folder
// below it, the profile, a shell folder, a folder above one of them...).
bool MayEmptyInstallFolder(const std::string& uninstallString, const std::string& ownFolder);

// Moves every entry of the install folder to the recycle bin, hidden, system and read-only
// files and whole sub-folders included, but not the uninstaller's own file.
void DeleteInstallFolderContents(const std::string& installFolder);

// Deletes the desktop shortcut, the start-menu group folder (to the recycle bin) and, in
// every case, the uninstall entry; a failure on the way is raised after the entry is gone.
void RemoveShortcutsAndUninstallEntry(const std::string& programName,
                                      const std::string& shortcutName);

// Writes the removal script for selfPath into the temporary folder (clearing selfPath's
// attributes first, so that the script can delete it) and makes the temporary folder the
// current one, for the script to inherit. Returns the script's path. Raises when the script
// cannot be written or the folder cannot be made current.
std::string WriteRemovalScript(const std::string& selfPath);

// Starts the script in a hidden command interpreter.
void StartRemovalScript(const std::string& scriptPath);
