#include "win/text_file.h"

#include "core/failure.h"
#include "core/texts.h"
#include "win/files.h"
#include "win/scoped.h"

std::string ReadTextFile(const std::string& path) {
  ScopedHandle file(OpenFileForReading(path));
  if (!file.held()) RaiseSystemFailure(texts::kCannotOpenFile, path, GetLastError());
  std::string bytes;
  char buffer[4096];
  DWORD done = 0;
  BOOL ok;
  while ((ok = ReadFile(file.get(), buffer, sizeof buffer, &done, nullptr)) && done > 0)
    bytes.append(buffer, done);
  if (!ok) throw Failure(texts::kStreamReadError);
  return bytes;
}
