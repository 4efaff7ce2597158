// The line reader on any bytes: every reader's view of a text file agrees with the others.
#include "core/lines.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  size_t count = 0, bytes = 0;
  ForEachLine(text, [&](const std::string& line) {
    FUZZ_EXPECT(line.find('\n') == std::string::npos && line.find('\r') == std::string::npos);
    bytes += line.size();
    return ++count < 1000000;
  });
  FUZZ_EXPECT(bytes <= size);
  FUZZ_EXPECT(count == CountLines(text) || count == 1000000);
  const std::vector<std::string> first = FirstLines(text, 10);
  FUZZ_EXPECT(first.size() == 10);
  FUZZ_EXPECT(UpToEndOfFileMark(text).find('\x1A') == std::string_view::npos);
  return 0;
}
