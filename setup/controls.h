// Control IDs of the installer's windows, in the order of their layout tables. Tests find
// the controls by these IDs.
#pragma once

// TForm1, the main window.
enum MainWindowControl {
  kImage1 = 1,
  kNext1,
  kCancel,
  kChange,
  kPath,
  kWait,
  kGauge1,
  kAnimate1,
  kTetr1,
  kTetr2,
  kTetr3,
  kImageToz,
};

// TForm5, the exit confirmation.
enum ExitWindowControl {
  kExitImage1 = 1,
  kExitOk,
  kExitLabel1,
};

// TForm4, the install-folder chooser.
enum ChooserWindowControl {
  kChooserImage1 = 1,
  kChooserOk,
  kChooserCancel,
  kChooserLabel2,
  kChooserLabel1,
  kDiskKol,
  kChooserLabel4,
  kChooserLabel7,
  kDiskFree,
  kChooserLabel6,
  kChooserGauge1,
  // The drive list and the folder list, native controls added beside the layout table.
  kDriveComboBox1,
  kDirectoryListBox1,
};
