#include "win/drive_space.h"

#include "win/text.h"

#include <windows.h>

bool QueryDriveSpace(const std::string& root, DriveSpaceBytes* space) {
  ULARGE_INTEGER freeForUser, total;
  if (!GetDiskFreeSpaceExW(ToWide(root).c_str(), &freeForUser, &total, nullptr)) return false;
  *space = {freeForUser.QuadPart, total.QuadPart};
  return true;
}
