// Deleting through the Windows shell into the recycle bin, where the user can restore it.
#pragma once
#include <string>

// Moves a file, or a folder with everything in it, to the recycle bin: no question, the
// shell's simple progress window and its own error dialogs. The path is made absolute
// against the current folder and may be of any length. True when the shell reported success.
bool ShellDeletePath(const std::string& path);
