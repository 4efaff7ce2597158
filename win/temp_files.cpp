#include "win/temp_files.h"

#include "core/failure.h"
#include "core/removal.h"
#include "core/texts.h"
#include "win/files.h"
#include "win/scoped.h"
#include "win/text.h"

#include <windows.h>

#include <vector>

std::string TempFolderPath() {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  DWORD length = GetTempPathW((DWORD)buffer.size() - 1, buffer.data());
  if (length >= buffer.size() - 1) {
    buffer.resize(length + 1);
    length = GetTempPathW((DWORD)buffer.size(), buffer.data());
  }
  return FromWide(std::wstring(buffer.data(), length < buffer.size() ? length : 0));
}

std::string NewTempFileName(const std::string& extension) {
  const std::string folder = TempFolderPath();
  wchar_t name[MAX_PATH + 1] = L"";
  if (GetTempFileNameW(ToWide(folder).c_str(), L"uis", 0, name) == 0)
    RaiseSystemFailure(texts::kCannotCreateFile, folder);
  return ReplaceExtension(FromWide(name), extension);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  ScopedHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.held()) RaiseSystemFailure(texts::kCannotCreateFile, path);
  DWORD written = 0;
  bool complete = WriteFile(file.get(), bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
                  written == bytes.size();
  // The close is examined too: a write the system defers may fail only there.
  complete = CloseHandle(file.Take()) && complete;
  if (!complete) throw Failure(texts::kStreamWriteError);
}
