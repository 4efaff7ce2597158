// The installer's program-wide state, owned by the program (setup/main.cpp) and handed to
// the windows and operations that read or fill it.
#pragma once
#include "core/setup_config.h"

#include <string>

struct InstallerState {
  SetupConfig Config;       // REG.CFG, read once at start-up
  std::string StartFolder;  // the current folder when the main window was created
  std::string
      InstallFolder;  // proposed at start-up, changed in the chooser; the path label shows it
};
