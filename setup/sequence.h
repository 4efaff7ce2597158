// The installation in the installer's main window: RunInstallation over this machine's
// operations, showing its progress in the window, which answers its messages meanwhile.
#pragma once
#include "core/installation.h"
#include "setup/exit_window.h"
#include "ui/kit.h"

// A confirmed exit waits while a file is being copied (see ExitWindow::HoldEnd).
InstallationOutcome RunWindowInstallation(ui::Form& window, ExitWindow& exitWindow,
                                          const InstallationInputs& inputs);
