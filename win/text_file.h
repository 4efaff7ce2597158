// Reading a whole text file of the medium (a list of names) as bytes.
#pragma once
#include <string>

// The file's bytes, unchanged. A file that cannot be opened raises "Cannot open file" with
// its full path and the system's reason; a failed read raises "Stream read error".
std::string ReadTextFile(const std::string& path);
