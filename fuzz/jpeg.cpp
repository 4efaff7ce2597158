// The picture check on any bytes: it ends, quickly, with a size within the bound or a refusal.
#include "core/jpeg.h"
#include "core/picture_format.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const JpegResult result = CheckJpeg(std::string(reinterpret_cast<const char*>(data), size));
  if (result.decodes)
    FUZZ_EXPECT(result.width > 0 && result.height > 0 && result.width <= kLargestPictureSide &&
                result.height <= kLargestPictureSide);
  else
    FUZZ_EXPECT(!result.message.empty());
  return 0;
}
