// The space of a drive, given its root ("C:\"), as the system reports it.
#pragma once
#include <cstdint>
#include <string>

struct DriveSpaceBytes {
  uint64_t freeForUser;  // free bytes available to the current user
  uint64_t total;
};

// False when the drive cannot be queried (no such drive, no medium, a network path).
bool QueryDriveSpace(const std::string& root, DriveSpaceBytes* space);
