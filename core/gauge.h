// The progress gauges count in 32-bit units; byte and kilobyte counts of large payloads and
// drives are 64-bit. Both ends are scaled down by the same power of two, so the gauge shows
// the true share.
#pragma once
#include <cstdint>

struct GaugeRange {
  int32_t value;
  int32_t maximum;
};

// The value is clamped to 0..maximum first (the gauge shows a value past its maximum as
// full); a maximum of 0 gives 0 of 0.
GaugeRange ScaleForGauge(uint64_t value, uint64_t maximum);
