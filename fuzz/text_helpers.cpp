// The text helpers with any texts, positions and counts: results are parts of their inputs.
#include "core/text_helpers.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const size_t p = input.Byte() | input.Byte() << 8;
  const size_t n = input.Byte() | input.Byte() << 8;
  const std::string t = input.Text();
  const std::string s = input.Rest();
  FUZZ_EXPECT(TrimSpaces(s).size() <= s.size());
  FUZZ_EXPECT(TrimLeadingSpaces(s).size() <= s.size());
  FUZZ_EXPECT(TrimTrailingSpaces(s).size() <= s.size());
  FUZZ_EXPECT(LeftText(s, n).size() <= s.size() &&
              s.compare(0, LeftText(s, n).size(), LeftText(s, n)) == 0);
  FUZZ_EXPECT(RightText(s, n).size() <= s.size());
  FUZZ_EXPECT(MidText(s, p, n).size() <= s.size());
  FUZZ_EXPECT(SpliceText(s, p, n, t).size() <= s.size() + t.size());
  return 0;
}
