// The running Windows: its folder and its version.
#pragma once
#include "core/windows_version.h"

#include <string>

// The Windows folder as the system gives it (no trailing backslash except at a
// drive root).
std::string WindowsFolder();
// GetVersion decoded: major from the low-order byte, minor from the next.
WindowsVersion RunningWindowsVersion();
