// INSTALL.CFG as the uninstaller reads it: a record read, written and read again is the same.
#include "core/record.h"
#include "fuzz/fuzz_input.h"

namespace {
bool Same(const ProductRecord& a, const ProductRecord& b) {
  return a.Title1 == b.Title1 && a.Title2 == b.Title2 &&
         a.DefaultFolderName == b.DefaultFolderName && a.ProgramName == b.ProgramName &&
         a.ShortcutName == b.ShortcutName && a.Organization == b.Organization;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ProductRecord record =
      ParseProductRecord(std::string_view(reinterpret_cast<const char*>(data), size));
  const ProductRecord again = ParseProductRecord(FormatProductRecord(record));
  // Values hold no line end; a Ctrl+Z in one ends the file written from it early.
  bool markFree = true;
  for (const std::string* value : {&record.Title1, &record.Title2, &record.DefaultFolderName,
                                   &record.ProgramName, &record.ShortcutName, &record.Organization})
    markFree = markFree && value->find('\x1A') == std::string::npos;
  FUZZ_EXPECT(!markFree || Same(record, again));
  return 0;
}
