// The temporary folder and new file names in it.
#pragma once
#include <string>

// The temporary folder as the system reports it, ending with a backslash.
std::string TempFolderPath();

// A new unique name "uis<hex>" + extension in the temporary folder. The system creates the
// file "uis<hex>.tmp" to reserve the name; it stays, empty. Raises "Cannot create file" with
// the temporary folder when the system cannot make such a file there.
std::string NewTempFileName(const std::string& extension);

// Creates or replaces a file with exactly these bytes. Raises "Cannot create file" or
// "Stream write error".
void WriteFileBytes(const std::string& path, const std::string& bytes);
