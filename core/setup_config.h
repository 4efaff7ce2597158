// The installer's settings, REG.CFG: ten lines of code page 1256 text in the installer's
// start folder, each field byte for byte the text of its line.
#pragma once
#include <string>

struct SetupConfig {
  std::string Title1;             // caption of tetr1
  std::string Title2;             // caption of tetr2
  std::string SourceFolder;       // the payload tree: a folder name or an absolute path
  std::string DefaultFolderName;  // the product's install folder name
  std::string ProgramName;
  std::string ShortcutName;
  std::string Organization;       // caption of Tetr3
  std::string BackgroundPicture;  // optional picture file replacing the built-in one
  std::string MenuGroup;          // start-menu group; a default when empty
  std::string LocaleMode;         // empty, "0", "1" or anything else
};

// Lines 1 to 10 in the order above; missing lines give empty fields, further ones are ignored.
SetupConfig ParseSetupConfig(const std::string& bytes);

// The proposed install folder: the Windows folder's drive letter, ":\" and the folder name.
std::string DefaultInstallPath(const std::string& windowsFolder,
                               const std::string& defaultFolderName);
