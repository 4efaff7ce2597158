// Control IDs of the uninstaller's window TForm1, in the order of its layout table. Tests
// and the demo find the controls by these IDs.
#pragma once

enum UninstallWindowControl {
  kUninstallImage1 = 1,
  kUninstallCancel,
  kUninstallOk,
  kUninstallTetr1,
  kUninstallTetr2,
  kUninstallTetr3,
};
