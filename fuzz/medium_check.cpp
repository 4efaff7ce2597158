// The medium checker on a medium held in memory and made from the input: entries of one
// attribute byte, a path and, for files, their bytes. The check ends, and every finding is
// one line of a known kind.
#include "core/medium_check.h"
#include "core/names.h"
#include "fuzz/fuzz_input.h"

#include <map>

namespace {

class MemoryMedium : public MediumFolder {
 public:
  // Paths are stored upper-cased a to z: names match without regard to letter case.
  void Add(const std::string& path, uint32_t attributes, const std::string& bytes) {
    entries_[UpperAtoZ(path)] = {path.substr(path.rfind('\\') + 1), attributes, bytes};
  }
  std::optional<std::vector<ListedEntry>> List(const std::string& folder) const override {
    const std::string key = UpperAtoZ(folder);
    if (!key.empty()) {
      auto found = entries_.find(key);
      if (found == entries_.end() || !(found->second.attributes & kFolderBit)) return std::nullopt;
    }
    std::vector<ListedEntry> listed;
    for (const auto& [path, entry] : entries_) {
      const size_t slash = path.rfind('\\');
      if ((slash == std::string::npos ? std::string() : path.substr(0, slash)) == key)
        listed.push_back({entry.name, entry.attributes, entry.bytes.size()});
    }
    return listed;
  }
  std::optional<std::string> Read(const std::string& file) const override {
    auto found = entries_.find(UpperAtoZ(file));
    if (found == entries_.end() || (found->second.attributes & kFolderBit)) return std::nullopt;
    return found->second.bytes;
  }
  bool SeesHiddenAndSystem() const override { return true; }

 private:
  struct Entry {
    std::string name;
    uint32_t attributes;
    std::string bytes;
  };
  std::map<std::string, Entry> entries_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  MemoryMedium medium;
  // REG.CFG first, then the entries; a folder entry's path may also name a folder above it.
  medium.Add("REG.CFG", 32, input.Text());
  for (int count = 0; !input.Empty() && count < 64; ++count) {
    const uint8_t kind = input.Byte();
    const uint32_t attributes = (kind & 1 ? kFolderBit : 0) | (kind & 2 ? kHiddenBit : 0) |
                                (kind & 4 ? kSystemBit : 0) | (kind & 8 ? kReparsePointBit : 0);
    const std::string path = input.Text();
    const std::string bytes = attributes & kFolderBit ? std::string() : input.Text();
    // A listing never holds an entry without a name.
    if (!path.empty() && path.back() != '\\') medium.Add(path, attributes, bytes);
  }
  for (const MediumFinding& finding : CheckMedium(medium)) {
    const std::string line = FindingLine(finding);
    FUZZ_EXPECT(line.rfind("error: ", 0) == 0 || line.rfind("warning: ", 0) == 0 ||
                line.rfind("note: ", 0) == 0);
  }
  return 0;
}
