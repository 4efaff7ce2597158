// File and folder primitives. Paths are code page 1256 texts, handed to the wide functions
// through win/text.h; names and paths the system returns come back the same way.
#pragma once
#include "core/listing.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// True only for an existing file (never a folder). A name with a NUL byte names nothing
// (the system would read only the part before it).
bool FileExists(const std::string& path);
// True only for an existing folder; false for a name with a NUL byte.
bool FolderExists(const std::string& path);
// The size of a file in bytes, from its attributes; 0 when it cannot be read.
uint64_t FileSizeAt(const std::string& path);

// Lists a pattern (for example "C:\x\*.*"), passing over every entry that carries one of the
// bits hidden (2), system (4), volume label (8) or folder (16) that the mask lacks. "." and
// ".." are passed to the visitor like any other entry; the caller decides. Each entry has its
// long name (what code page 1256 cannot spell in it escaped, see win/text.h).
void ListFolder(const std::string& pattern, uint32_t mask,
                const std::function<void(const ListedEntry&)>& visit);

// The path as a batch file names it in the OEM code page (the command interpreter reads batch
// files in it): spelled in that code page when it can be, else by the short (8.3) form of the
// path (of its folder, for a file not yet there).
std::string OemPathText(const std::string& path);

// The system's text for an error number, without the trailing line end.
std::string SystemErrorText(unsigned long error);

// Raises the failure of a system call on a path: the pattern (texts::kCannotOpenFile, ...)
// filled with the path's full form and the system's text for the error, by default the
// calling thread's last error (taken before anything else of the call runs).
[[noreturn]] void RaiseSystemFailure(const char* pattern, const std::string& path,
                                     unsigned long error = GetLastError());

// Copies one file so that the target's name only ever names a whole copy: the content goes
// into PartialCopyName(target) (created, replacing a leftover of an ended run, without
// sharing, with plain attributes; in chunks of at most 61440 bytes from the source opened
// without sharing), and only then is that renamed to the target, replacing it. Raises "Cannot
// open file", "Cannot create file" (naming the target; also for an existing target that
// cannot be opened for writing, checked before anything is written), "Stream read error" or
// "Stream write error"; after a failure the partial copy is gone and the target is as it was.
// betweenChunks, when given, is called after each chunk written (the installer's window
// handles its messages there, so that it answers during a large file).
void CopyFileContents(const std::string& source, const std::string& target,
                      const std::function<void()>& betweenChunks = {});

// The first half of CopyFileContents without its check of an existing target: the whole copy
// under PartialCopyName(target), whose name it returns; the caller renames or deletes it.
std::string CopyToPartialFile(const std::string& source, const std::string& target,
                              bool targetMustBeWritable = false,
                              const std::function<void()>& betweenChunks = {});

// The name a copy is written under beside its target until it is whole.
std::string PartialCopyName(const std::string& target);

// The full path of a name relative to the current folder.
std::string FullPath(const std::string& path);

// The bytes of a whole file, opened for reading (others may read it meanwhile). Raises
// "Cannot open file" with its full path and the system's reason, or "Stream read error".
std::string ReadWholeFile(const std::string& path);
// The same without a raise, for the places that show only the system's error number: false,
// with that number and no bytes, when the file cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string* bytes, unsigned long* error);

// The plain calls, each true when the system reports success.
bool SetCurrentFolder(const std::string& path);
bool CreateFolder(const std::string& path);  // one level
bool RemoveFolder(const std::string& path);  // an empty folder
bool DeleteFileAt(const std::string& path);
bool RenameFile(const std::string& source, const std::string& target);
bool SetPlainAttributes(const std::string& path);  // no read-only, hidden or system bit

// The current folder; empty when it cannot be read.
std::string CurrentFolder();
// The path of the running program's file.
std::string ProgramFilePath();
// Loads a library by its path; null when it cannot be loaded.
HMODULE LoadLibraryFile(const std::string& path);
