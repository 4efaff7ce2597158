// FONT.TXT: at most twenty pairs, and every font position gets a value with a name.
#include "core/system_payload.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const size_t position = input.Byte();
  const std::string fileName = input.Text();
  const std::vector<FontPair> pairs = ParseFontList(input.Rest());
  FUZZ_EXPECT(pairs.size() <= kFontListSlots);
  const FontValue value =
      FontValueFor(pairs, position, fileName.empty() ? "a.ttf" : fileName, "C:\\WINDOWS\\Fonts\\");
  FUZZ_EXPECT(!value.name.empty());
  FontValueFor(std::nullopt, position, fileName, "");
  return 0;
}
