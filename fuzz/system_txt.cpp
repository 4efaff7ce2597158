// SYSTEM.TXT and the System folder's entries: the list is read line by line to its end or
// its Ctrl+Z, whatever its length.
#include "core/system_payload.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint32_t entrySize = uint32_t(input.Number());
  const std::string name = input.Text();
  SkipsPayloadEntry(name, entrySize, "SYSTEM.TXT");
  const std::string bytes = input.Rest();
  size_t total = 0;
  ForEachListFileLine(bytes, [&](const std::string& line) {
    FUZZ_EXPECT(line.find('\x1A') == std::string::npos);
    total += line.size();
    return true;
  });
  FUZZ_EXPECT(total <= bytes.size());
  return 0;
}
