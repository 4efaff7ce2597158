// File and folder primitives over the ANSI functions; paths are passed unchanged.
#pragma once
#include "core/listing.h"

#include <cstdint>
#include <functional>
#include <string>

// True only for an existing file (never a folder).
bool FileExists(const std::string& path);
// True only for an existing folder.
bool FolderExists(const std::string& path);

// Lists a pattern (for example "C:\x\*.*"), passing over every entry that carries one of the
// bits hidden (2), system (4), volume label (8) or folder (16) that the mask lacks. "." and
// ".." are passed to the visitor like any other entry; the caller decides.
void ListFolder(const std::string& pattern, uint32_t mask,
                const std::function<void(const ListedEntry&)>& visit);

// The system's text for an error number, without the trailing line end.
std::string SystemErrorText(unsigned long error);

// Copies one file: source opened without sharing, target created (replacing) without
// sharing with plain attributes, content copied in chunks of at most 61440 bytes. Raises
// "Cannot open file", "Cannot create file", "Stream read error" or "Stream write error".
// betweenChunks, when given, is called after each chunk written (the installer's window
// handles its messages there, so that it answers during a large file).
void CopyFileContents(const std::string& source, const std::string& target,
                      const std::function<void()>& betweenChunks = {});

// The full path of a name relative to the current folder.
std::string FullPath(const std::string& path);

// Reads a whole file opened for reading (others may read it meanwhile). False, with the
// system's error number, when it cannot be opened; a read error after the open keeps what
// was read and is not reported.
bool ReadWholeFile(const std::string& path, std::string* bytes, unsigned long* error);
