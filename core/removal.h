// The uninstaller's rules that need no system: where the product lives, which entry of the
// install folder is the uninstaller itself, which folders must never be emptied, and the
// batch script that removes the uninstaller's file and the emptied folder after it has ended.
#pragma once
#include <optional>
#include <string>
#include <vector>

// The uninstaller's file in the install folder, as the uninstall entry names it.
inline constexpr char kUninstallerFileName[] = "Uninstall.exe";

// The install folder named by an UninstallString value (install folder + "\Uninstall.exe"):
// the value without its last 14 characters. None when the value has 14 characters or fewer.
std::optional<std::string> InstallFolderFromUninstallString(const std::string& value);

// True when the value names an uninstaller: it ends with "\Uninstall.exe", letter case aside.
// Only then is the folder before it one that this product's installer made.
bool NamesUninstaller(const std::string& uninstallString);

// True for the uninstaller's own file: the name with only the letters a to z upper-cased
// equals "UNINSTALL.EXE" (Uninstall.exe, uninstall.exe; not Uninstall.exe.bak).
bool IsUninstallerFileName(const std::string& name);

// True when emptying the folder would destroy what is not the product's, or when the path is
// not the plain form of a folder on a drive. Refused are: every path that is not a drive
// letter, ":" and "\" followed by folder names (network and device paths, "\\?\" forms,
// relative paths), a ":" after the drive letter (streams), "." and ".." parts, a drive's root;
// each of the protected folders and every folder above one of them; each of the protected
// trees, every folder below it and every folder above it. Letter case, "/" for "\", trailing
// backslashes and the dots and blanks Windows ignores at the end of a name make no difference.
bool IsProtectedFolder(const std::string& folder, const std::vector<std::string>& protectedFolders,
                       const std::vector<std::string>& protectedTrees = {});

// True when two full paths name the same folder, by the comparison of IsProtectedFolder.
bool SameFolder(const std::string& a, const std::string& b);

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
