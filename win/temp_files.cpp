#include "win/temp_files.h"

#include "core/failure.h"
#include "core/fill.h"
#include "core/removal.h"
#include "core/texts.h"
#include "win/files.h"

#include <windows.h>

#include <vector>

std::string TempFolderPath() {
  std::vector<char> buffer(MAX_PATH + 1);
  DWORD length = GetTempPathA((DWORD)buffer.size() - 1, buffer.data());
  if (length >= buffer.size() - 1) {
    buffer.resize(length + 1);
    length = GetTempPathA((DWORD)buffer.size(), buffer.data());
  }
  return std::string(buffer.data(), length < buffer.size() ? length : 0);
}

std::string NewTempFileName(const std::string& extension) {
  const std::string folder = TempFolderPath();
  char name[MAX_PATH + 1] = "";
  if (GetTempFileNameA(folder.c_str(), "uis", 0, name) == 0) {
    DWORD error = GetLastError();
    throw Failure(FillText(texts::kCannotCreateFile, {folder, SystemErrorText(error)}));
  }
  return ReplaceExtension(name, extension);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    throw Failure(FillText(texts::kCannotCreateFile, {FullPath(path), SystemErrorText(error)}));
  }
  DWORD written = 0;
  bool complete = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
                  written == bytes.size();
  complete = CloseHandle(file) && complete;
  if (!complete) throw Failure(texts::kStreamWriteError);
}
