// The medium checker's rules: what an author's distribution medium will do when the
// installer runs on it, found before the medium is burned. The rules read the medium
// through a small interface (listings with attributes and sizes, file bytes), so the same
// rules serve the checker on Windows, on the build machine and in tests.
#pragma once
#include "core/listing.h"

#include <optional>
#include <string>
#include <vector>

// The medium as the checker reads it. A path is relative to the medium's folder, with its
// components joined by "\" (empty for the medium's folder itself), or absolute in Windows
// form. Names match without regard to letter case, as on Windows.
class MediumFolder {
 public:
  virtual ~MediumFolder() = default;
  // Every entry of a folder but "." and "..", hidden and system ones included, in the order
  // the platform lists them; nothing when the folder does not exist or cannot be listed.
  virtual std::optional<std::vector<ListedEntry>> List(const std::string& folder) const = 0;
  // A file's bytes; nothing when there is no such file.
  virtual std::optional<std::string> Read(const std::string& file) const = 0;
  // Whether listed entries carry the hidden and system attributes (they do on Windows).
  virtual bool SeesHiddenAndSystem() const = 0;
};

struct MediumFinding {
  enum Kind { kError, kWarning, kNote } kind;
  std::string text;
};

// Every finding, in the order REG.CFG, payload, System, Fonts, start menu and locale.
std::vector<MediumFinding> CheckMedium(const MediumFolder& medium);

// "error: ...", "warning: ..." or "note: ...".
std::string FindingLine(const MediumFinding& finding);
