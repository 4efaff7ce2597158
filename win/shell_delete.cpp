#include "win/shell_delete.h"

#include "win/files.h"
#include "win/text.h"

#include <windows.h>
#include <shellapi.h>

bool ShellDeletePath(const std::string& path) {
  // The list of paths ends with two zero characters: the one after the path and one more.
  std::wstring list = ToWide(FullPath(path));
  list.append(2, L'\0');
  SHFILEOPSTRUCTW request = {};
  request.hwnd = nullptr;
  request.wFunc = FO_DELETE;
  request.pFrom = list.c_str();
  request.pTo = nullptr;
  request.fFlags = FOF_SIMPLEPROGRESS | FOF_FILESONLY | FOF_ALLOWUNDO | FOF_NOCONFIRMATION;
  return SHFileOperationW(&request) == 0;
}
