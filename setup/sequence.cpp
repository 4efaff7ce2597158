// The installation sequence, run by the main window's confirm hot-spot.
#include "setup/main_window.h"

// Not built yet: the confirm hot-spot does nothing.
void MainWindow::Next1Click() {}
