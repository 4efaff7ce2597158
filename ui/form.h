// A top-level window of a registered class with a fixed client size, centred on the
// desktop, and the message loop that runs until it is closed.
#pragma once

int RunMainWindow(const char* className, const char* title, int clientWidth, int clientHeight);
