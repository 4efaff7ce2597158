// What the installer's end-to-end tests do and read besides clicking: the controls of its
// windows by ID, its texts, the registry and the machine's folders as the installer sees
// them, and the folder chooser.
#pragma once
#include "tests/support/driver.h"

#include <windows.h>

#include <string>

namespace e2e {

// The text of the main window's path label.
std::string PathText(HWND window);

// A string value as stored; empty when missing. view: KEY_WOW64_32KEY or KEY_WOW64_64KEY to
// read HKLM\Software of that bitness, 0 for this program's own.
std::string RegistryText(HKEY root, const std::string& key, const std::string& name,
                         REGSAM view = 0);
// The user's "Shell Folders" value (Desktop, Start Menu).
std::string ShellFolder(const std::string& name);
std::string WindowsFolder();
std::string SystemFolder();

// Where 64-bit Windows keeps what the programs under test (ProgramPath) put into the system
// folder and HKLM\Software: for 32-bit programs SysWOW64 and the 32-bit registry view
// (Wow6432Node), for 64-bit ones System32 and the 64-bit view. Also the places of the other
// bitness, where nothing of theirs may show. (The tests themselves are 64-bit programs.)
struct ProgramsPlaces {
  std::string systemFolder;
  REGSAM view;
  std::string otherSystemFolder;
  REGSAM otherView;
};
ProgramsPlaces PlacesOfPrograms();
// Wine's Windows version for one program ("nt40", "win2k", "winxp", ...).
void SetWineVersionFor(const std::string& program, const std::string& version);

// The chooser: opens it with the main window's change button and returns it.
HWND OpenChooser(const Process& process, HWND window);
// The drive shown in the drive list ("C:").
std::string SelectedDrive(HWND chooser);
// Picks a drive ("S") in the drive list, as the user does.
void PickDrive(HWND chooser, char letter);
// Opens a folder of the folder list by its name (double click on its line).
bool OpenListedFolder(HWND chooser, const std::string& name);
// The folder list's lines, leading blanks taken off.
std::vector<std::string> ListedFolders(HWND chooser);
// Opens the chooser, goes to folder (its drive, then every folder from the root down) and
// confirms.
void ChooseFolder(const Process& process, HWND window, const std::string& folder);

// Clicks the main window's confirm hot-spot, answers the restart question at the end with No
// (its caption and text checked) and waits for the end. The exit code, or -1 when no question
// came.
long InstallAndDeclineRestart(Process& setup, HWND window);

// Starts an installed uninstaller, clicks its ok button, confirms the message it then shows,
// waits for its end and then for the end of the removal script it started.
struct Removal {
  std::wstring message;  // "" when none came
  long exitCode = -1;
  bool scriptEnded = false;
};
Removal RemoveWithUninstaller(const std::string& uninstaller, const std::string& currentFolder);

}  // namespace e2e
