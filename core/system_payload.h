// Rules for the System and Fonts folders of the medium: which listed entries are installed,
// and how FONT.TXT names the fonts in the registry's font tables.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// An entry is passed over when its name is "." or "..", when its size (low 32 bits) is 0,
// which leaves out folders and empty files, or when its name is the folder's own list file
// spelled exactly so ("SYSTEM.TXT", "FONT.TXT"); another spelling is installed like a file.
bool SkipsPayloadEntry(const std::string& name, uint32_t size, const std::string& listName);

// The lines of a list file (SYSTEM.TXT, FONT.TXT) handed to `visit` one by one: the line rule
// of core/lines.h, up to a Ctrl+Z that ends the file.
void ForEachListFileLine(const std::string& bytes,
                         const std::function<bool(const std::string&)>& visit);

// FONT.TXT: lines in pairs, the file line (the registry value's data) then the name line
// (the value's name). At most 20 pairs; further lines are ignored. An odd last line makes a
// pair with an empty name line.
struct FontPair {
  std::string fileLine;
  std::string nameLine;
};
constexpr std::size_t kFontListSlots = 20;
std::vector<FontPair> ParseFontList(const std::string& bytes);

struct FontValue {
  std::string name;
  std::string data;
};
// The registry value of the font file at `position` (1-based, in listing order). The pair at
// that position names it when FONT.TXT was read and the pair has a name line; otherwise (no
// FONT.TXT, no pair for this position, an empty name line) the value is named after the file
// and holds its full path in the fonts folder, so that no font lands in a key's unnamed
// value.
FontValue FontValueFor(const std::optional<std::vector<FontPair>>& list, std::size_t position,
                       const std::string& fileName, const std::string& fontsFolder);
