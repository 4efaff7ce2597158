#include "core/gauge.h"

GaugeRange ScaleForGauge(uint64_t value, uint64_t maximum) {
  if (value > maximum) value = maximum;
  while (maximum > INT32_MAX) {
    maximum >>= 1;
    value >>= 1;
  }
  return {static_cast<int32_t>(value), static_cast<int32_t>(maximum)};
}
