// The medium checker's access to a real folder: Windows' own listing (which shows the hidden
// and system attributes) in the Windows builds, std::filesystem in the host build.
#pragma once
#include <memory>
#include <string>

#include "core/medium_check.h"

// A command-line argument in code page 1256: on Windows from the wide command line, so that
// a folder named in Persian arrives whole under any ANSI code page.
std::string CommandLineArgument(int index, char** argv);

// The medium folder at a path of this machine; null when there is no such folder.
std::unique_ptr<MediumFolder> OpenMediumFolder(const std::string& path);

// Writes one line of code page 1256 text to standard output so that it reads correctly
// there: as UTF-8 on the host, through the wide console functions on a Windows console.
void PrintLine(const std::string& text);
