// The names that the installer creates and the uninstaller finds again: the uninstall
// registry key, the shortcut file name and the start-menu group folder. Both programs
// compute them here, so they always name the same things.
#pragma once
#include <string>

// Under HKEY_CURRENT_USER: the key holding "Shell Folders", and that sub-key, whose values
// "Desktop" and "Start Menu" are the user's desktop and start-menu folders.
inline constexpr char kExplorerKey[] = "Software\\Microsoft\\windows\\CurrentVersion\\Explorer";
inline constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kDesktopValue[] = "Desktop";
inline constexpr char kStartMenuValue[] = "Start Menu";

// Under HKEY_LOCAL_MACHINE: the product's entry in the list of installed programs.
std::string UninstallKey(const std::string& programName);

// True when the key, as the registry reads it (up to a NUL byte, empty components and trailing
// backslashes left out, letter case aside), is the list of installed programs itself or a key
// above it: a tree delete of such a key would take every product's entry with it.
bool IsUninstallKeyOrAbove(const std::string& key);

// A ProgramName both programs accept. It names the product's uninstall entry, one key below
// the list of installed programs, and the program file <ProgramName>.EXE in the install
// folder, so it must be one plain file name: not empty, no control byte (NUL included), none
// of \ / : * ? " < > |, not "." or "..".
bool IsValidProgramName(const std::string& programName);

// The file name of both shortcuts: the part of ShortcutName + ".lnk" after its last "\", "/"
// or ":" (all of it when it has none), so Tools\Viewer and Tools/Viewer give Viewer.lnk.
std::string LinkFileName(const std::string& shortcutName);

// A ShortcutName both programs accept: none of its parts between "\", "/" and ":" is "..",
// so the shortcut stays in the desktop and the group folder.
bool IsValidShortcutName(const std::string& shortcutName);

// The start-menu group folder, ending with a backslash: start-menu folder + "\programs\" +
// MenuGroup + "\". An empty MenuGroup names the "programs" folder itself.
std::string GroupFolder(const std::string& startMenuFolder, const std::string& menuGroup);

// File names compare without regard to letter case, as the file system does; only the
// letters a to z are folded, every other byte stays as it is.
std::string UpperAtoZ(std::string text);

// True for "." and "..", the names of a folder itself and of its parent.
inline bool IsDotName(const std::string& name) { return name == "." || name == ".."; }
bool SameFileName(const std::string& a, const std::string& b);
