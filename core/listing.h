// One entry of a folder listing and the rule by which a listing's attribute mask passes
// entries over. The Win32 listing (win/files.h) and the payload walk share this rule.
#pragma once
#include <cstdint>
#include <string>

// Attribute bits of a listed entry.
inline constexpr uint32_t kReadOnlyBit = 1;
inline constexpr uint32_t kHiddenBit = 2;
inline constexpr uint32_t kSystemBit = 4;
inline constexpr uint32_t kVolumeLabelBit = 8;
inline constexpr uint32_t kFolderBit = 16;
// A symbolic link or a junction (a reparse point), to a file or a folder.
inline constexpr uint32_t kReparsePointBit = 0x400;

// The mask that lists every entry, hidden and system ones included.
inline constexpr uint32_t kEveryEntryMask = 63;

// Long name, attribute value, 64-bit size (0 for folders).
struct ListedEntry {
  std::string name;
  uint32_t attributes;
  uint64_t size;
};

// A listing with mask m passes over every entry that carries one of the bits hidden, system,
// volume label or folder that m lacks: mask 63 lists everything, mask 16 lists folders and
// plain files but no hidden or system entry.
inline bool PassesListingMask(uint32_t attributes, uint32_t mask) {
  const uint32_t excludable = kHiddenBit | kSystemBit | kVolumeLabelBit | kFolderBit;
  return (attributes & excludable & ~mask) == 0;
}
