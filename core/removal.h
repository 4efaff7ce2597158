// The uninstaller's rules that need no system: where the product lives, which entry of the
// install folder is the uninstaller itself, which folders must never be emptied, and the
// batch script that removes the uninstaller's file and the emptied folder after it has ended.
#pragma once
#include <optional>
#include <string>
#include <vector>

// The install folder named by an UninstallString value (install folder + "\Uninstall.exe"):
// the value without its last 14 characters, which are not compared with anything. None when
// the value has 14 characters or fewer.
std::optional<std::string> InstallFolderFromUninstallString(const std::string& value);

// True for the uninstaller's own file: the name with only the letters a to z upper-cased
// equals "UNINSTALL.EXE" (Uninstall.exe, uninstall.exe; not Uninstall.exe.bak).
bool IsUninstallerFileName(const std::string& name);

// True when emptying the folder would destroy what is not the product's: a drive's root or a
// network share's root, or one of the protected folders (the Windows and system folders,
// Program Files, the profile, the shell folders...) or a folder above one of them. Both sides
// are full paths; letter case, "/" for "\" and trailing backslashes make no difference.
bool IsProtectedFolder(const std::string& folder, const std::vector<std::string>& protectedFolders);

// The name with its extension (from its last dot on) replaced by the given one (".bat").
std::string ReplaceExtension(const std::string& name, const std::string& extension);

// How many times the removal script tries to delete the uninstaller's file, about a second
// apart, before it gives up and removes what it can.
inline constexpr int kRemovalScriptTries = 60;

// The removal script, CR LF after every line: it deletes selfPath until it is gone (retrying
// while the uninstaller still runs, `tries` times about a second apart at most), leaves the
// temporary folder, removes the folder of selfPath when it is empty and deletes itself
// (scriptPath). Every path is quoted, so folders with blanks work.
std::string RemovalScript(const std::string& selfPath, const std::string& scriptPath,
                          int tries = kRemovalScriptTries);

// The command line that starts the script: its path, quoted.
std::string RemovalScriptCommand(const std::string& scriptPath);
