#include "win/text_file.h"

#include "core/failure.h"
#include "win/files.h"

#include <windows.h>

std::string ReadTextFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    throw Failure("Cannot open file \"" + FullPath(path) + "\". " + SystemErrorText(error));
  }
  std::string bytes;
  char buffer[4096];
  DWORD done = 0;
  BOOL ok;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &done, nullptr)) && done > 0)
    bytes.append(buffer, done);
  CloseHandle(file);
  if (!ok) throw Failure("Stream read error");
  return bytes;
}
