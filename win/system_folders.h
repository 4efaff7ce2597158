// The folders of the system and of the user that no product owns, so that no removal may
// empty them or a folder above them.
#pragma once
#include <string>
#include <vector>

// The Windows, system and temporary folders, the Program Files and Common Files folders, the
// user's profile, and every folder of the current user's and the machine's "Shell Folders"
// (desktop, start menu, programs, documents, ...). Folders the system does not name are
// left out.
std::vector<std::string> ProtectedFolders();

// A path made absolute against the current folder, with short (8.3) names of existing
// folders written long, so that it compares with the protected folders.
std::string LongFullPath(const std::string& path);

// The full path of an existing file or folder as the file system resolves it: links and
// junctions followed, short names written long, in the plain "C:\..." form. Where the system
// cannot say (before Windows Vista, a path that does not exist) it is LongFullPath's path.
std::string FinalPath(const std::string& path);

// True when the path's last entry or a folder on the way to it is a link or a junction.
bool HasLinkOnPath(const std::string& path);
