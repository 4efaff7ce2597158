// The gauge's percentage for any value and maximum: always 0 to 100.
#include "core/display.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const int64_t value = int64_t(input.Number());
  const int64_t maximum = int64_t(input.Number());
  const int percent = GaugePercent(value, maximum);
  FUZZ_EXPECT(percent >= 0 && percent <= 100);
  if (maximum > 0 && value >= maximum) FUZZ_EXPECT(percent == 100);
  if (value <= 0) FUZZ_EXPECT(percent == 0);
  FailureBoxText(input.Rest());
  return 0;
}
