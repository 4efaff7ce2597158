// The System and Fonts folders of the medium: libraries copied into the Windows system
// folder and self-registered, fonts copied into the Windows fonts folder and entered in the
// registry's two font tables. Neither shows a message; failures of a copy, of reading the
// list file or of a registry write are raised to the caller.
#pragma once
#include <string>

// The medium's folders are named relative to `mediumFolder`: empty for the current folder
// (as the installation runs), or a folder path ending with a backslash.

// Copies every file of <medium>System into `systemFolder` (ending with a backslash),
// replacing what can be deleted there, then registers each library that SYSTEM.TXT lists
// and that exists in `systemFolder`.
void InstallSystemFiles(const std::string& mediumFolder, const std::string& systemFolder);
// The same for the running installation: the current folder and this Windows' system folder.
void InstallSystemFiles();

// Loads the library and calls its DllRegisterServer (UnregisterComServer: its
// DllUnregisterServer) entry point, whose result is not examined. False when the file does
// not exist or cannot be loaded. A library without the entry point is freed again without a
// call.
bool RegisterComServer(const std::string& path);
bool UnregisterComServer(const std::string& path);

// Registers every font file of <medium>Fonts in both font tables (named by FONT.TXT when it
// is there) and copies it into `fontsFolder` (ending with a backslash) when it is missing.
void InstallFonts(const std::string& mediumFolder, const std::string& fontsFolder);
void InstallFonts();
