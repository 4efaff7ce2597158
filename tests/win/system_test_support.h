// Shared by the system integration tests: the test libraries built beside this program,
// media made in test folders, and reading back files and the test COM server's marker.
#pragma once
#include "tests/support/files.h"

#include <windows.h>

#include <string>

namespace system_test {

// A medium in a fresh test folder: `root` (ending with a backslash) holds the medium's
// System or Fonts folder; `target` is an empty folder standing for the Windows folder
// that receives the files.
struct Medium {
  std::string root;
  std::string target;
};
Medium NewMedium(const std::string& name);

// The bytes of the test COM server and of the library without DllRegisterServer.
std::string ComServerBytes();
std::string PlainLibraryBytes();

// How often the test COM server at `path` registered itself (0: never).
DWORD Registrations(const std::string& path);

// Runs `body` with the current folder set to `folder`, then returns to the folder before.
template <typename Body>
void InFolder(const std::string& folder, Body body) {
  char before[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, before);
  SetCurrentDirectoryA(folder.c_str());
  struct Back {
    const char* folder;
    ~Back() { SetCurrentDirectoryA(folder); }
  } back{before};
  body();
}

}  // namespace system_test
