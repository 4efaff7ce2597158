// The user's desktop and start-menu folders, as the "Shell Folders" values of the current
// user's Explorer key hold them.
#pragma once
#include <string>

// Opens the Explorer key with full access, creating it when missing, and reads the value
// (kDesktopValue or kStartMenuValue) of its "Shell Folders" sub-key as stored, expandable
// strings unexpanded. Missing reads empty; a value that is not a string raises
// "Invalid data type for '<name>'".
std::string ReadShellFolder(const std::string& valueName);
