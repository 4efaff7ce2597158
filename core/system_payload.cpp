#include "core/system_payload.h"

#include "core/lines.h"
#include "core/names.h"

bool SkipsPayloadEntry(const std::string& name, uint32_t size, const std::string& listName) {
  return IsDotName(name) || size == 0 || name == listName;
}

void ForEachListFileLine(const std::string& bytes,
                         const std::function<bool(const std::string&)>& visit) {
  ForEachLine(UpToEndOfFileMark(bytes), visit);
}

std::vector<FontPair> ParseFontList(const std::string& bytes) {
  std::vector<std::string> lines;
  ForEachListFileLine(bytes, [&](const std::string& line) {
    lines.push_back(line);
    return lines.size() < 2 * kFontListSlots;
  });
  std::vector<FontPair> pairs;
  for (std::size_t i = 0; i < lines.size() && pairs.size() < kFontListSlots; i += 2)
    pairs.push_back({lines[i], i + 1 < lines.size() ? lines[i + 1] : std::string()});
  return pairs;
}

FontValue FontValueFor(const std::optional<std::vector<FontPair>>& list, std::size_t position,
                       const std::string& fileName, const std::string& fontsFolder) {
  if (list && position >= 1 && position <= list->size()) {
    const FontPair& pair = (*list)[position - 1];
    if (!pair.nameLine.empty()) return {pair.nameLine, pair.fileLine};
  }
  return {fileName, fontsFolder + fileName};
}
