// Making the installed product reachable and removable: a shortcut to its program on the
// user's desktop and in a start-menu group, and its entry in the list of installed
// programs under UninstallKey.
#pragma once
#include <string>

// The uninstall entry's fixed values besides the uninstaller's path and the product name.
inline constexpr char kPublisher[] = "Selvara Organization";
inline constexpr char kAuthor[] = "Tovenar";

// Creates both shortcuts (target installFolder + "\" + programName + ".EXE", working folder
// installFolder, file name LinkFileName(shortcutName)) and writes the four values of
// UninstallKey(programName). Once the shortcuts have begun, the uninstall entry is written
// even when they fail; a failure of the shortcuts is then raised after it. COM must be
// initialised (apartment-threaded) on the calling thread.
void CreateShortcutsAndUninstallEntry(const std::string& installFolder,
                                      const std::string& programName,
                                      const std::string& shortcutName,
                                      const std::string& menuGroup);
