// The installed-product record, INSTALL.CFG: six values that the installer leaves in the
// install folder for the uninstaller. Its bytes: each value as it is, followed by CR LF, the
// last one too; no byte-order mark, nothing after the sixth line.
#pragma once
#include <string>
#include <string_view>

struct ProductRecord {
  std::string Title1;
  std::string Title2;
  std::string DefaultFolderName;
  std::string ProgramName;
  std::string ShortcutName;
  std::string Organization;
};

inline constexpr char kProductRecordName[] = "INSTALL.CFG";

// The file's bytes for a record.
std::string FormatProductRecord(const ProductRecord& record);

// The record read from a file's bytes: lines end at LF or CR LF, a lone CR is dropped, a
// byte 26 (Ctrl+Z) ends the file, missing lines give empty values, lines after the sixth
// are not read.
ProductRecord ParseProductRecord(std::string_view bytes);
