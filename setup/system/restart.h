// Asks Windows to restart at once, forcing programs closed; returns after the request.
// Nothing is reported when Windows refuses.
#pragma once
#include "core/windows_version.h"

void RestartWindows(WindowsVersion version);
// For the running Windows.
void RestartWindows();
