// File and folder primitives over the ANSI functions; paths are passed unchanged.
#pragma once
#include "core/listing.h"

#include <cstdint>
#include <functional>
#include <string>

// True only for an existing file (never a folder), by a listing of the name. A name with a
// NUL byte names nothing (the system would read only the part before it).
bool FileExists(const std::string& path);
// True only for an existing folder; false for a name with a NUL byte.
bool FolderExists(const std::string& path);

// Lists a pattern (for example "C:\x\*.*"), passing over every entry that carries one of the
// bits hidden (2), system (4), volume label (8) or folder (16) that the mask lacks. "." and
// ".." are passed to the visitor like any other entry; the caller decides.
void ListFolder(const std::string& pattern, uint32_t mask,
                const std::function<void(const ListedEntry&)>& visit);

// The system's text for an error number, without the trailing line end.
std::string SystemErrorText(unsigned long error);

// Copies one file so that the target's name only ever names a whole copy: the content goes
// into PartialCopyName(target) (created, replacing a leftover of an ended run, without
// sharing, with plain attributes; in chunks of at most 61440 bytes from the source opened
// without sharing), and only then is that renamed to the target, replacing it. Raises "Cannot
// open file", "Cannot create file" (naming the target; also for an existing target that
// cannot be opened for writing, checked before anything is written), "Stream read error" or
// "Stream write error"; after a failure the partial copy is gone and the target is as it was.
void CopyFileContents(const std::string& source, const std::string& target);

// The first half of CopyFileContents without its check of an existing target: the whole copy
// under PartialCopyName(target), whose name it returns; the caller renames or deletes it.
std::string CopyToPartialFile(const std::string& source, const std::string& target,
                              bool targetMustBeWritable = false);

// The name a copy is written under beside its target until it is whole.
std::string PartialCopyName(const std::string& target);

// The full path of a name relative to the current folder.
std::string FullPath(const std::string& path);

// Reads a whole file opened for reading (others may read it meanwhile). False, with the
// system's error number, when it cannot be opened; a read error after the open keeps what
// was read and is not reported.
bool ReadWholeFile(const std::string& path, std::string* bytes, unsigned long* error);
