// The registry accessor: one root key and at most one open key at a time, opened with full
// access. Key names, value names and texts are code page 1256, stored by the wide functions.
// A key that could not be opened or created is remembered as not open: reads then give empty
// texts and writes fail with the user's "Failed to set data" text.
#pragma once
#include "win/scoped.h"

#include <windows.h>

#include <string>

class Registry {
 public:
  explicit Registry(HKEY root) : root_(root) {}
  ~Registry() { Close(); }
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Opens an existing key below the root; OpenOrCreate creates it (and any missing key above
  // it) when it is not there. Both close the key opened before. False when the key could
  // not be opened.
  bool Open(const std::string& key);
  bool OpenOrCreate(const std::string& key);
  void Close();
  bool IsOpen() const { return key_.held(); }

  // A missing value reads as the empty text; a string or expandable string reads as stored
  // (unexpanded); any other type raises "Invalid data type for '<name>'".
  std::string ReadString(const std::string& name) const;
  bool ValueExists(const std::string& name) const;
  // Writes a plain string (REG_SZ, with its terminating zero); a refused write raises
  // "Failed to set data for '<name>'".
  void WriteString(const std::string& name, const std::string& value) const;

  // Deletes a key below the root together with all its sub-keys. False when it was not there
  // or could not be deleted. The list of installed programs and the keys above it are never
  // deleted, however the key is spelled (false).
  bool DeleteKey(const std::string& key);

 private:
  HKEY root_;
  ScopedKey key_;
};
