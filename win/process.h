// Starting another program and leaving it to run on its own.
#pragma once
#include <string>

// Starts a command line (code page 1256) as the system starts it for WinExec: a batch file
// named first runs in the command interpreter. The program's window is hidden; nothing of it
// is kept. False when it could not be started.
bool StartHidden(const std::string& commandLine);
