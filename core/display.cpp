#include "core/display.h"

std::string FailureBoxText(const std::string& text) {
  if (!text.empty() && (unsigned char)text.back() > (unsigned char)'.') return text + ".";
  return text;
}

namespace {
// a * b as a 128-bit number (high, low), from 32-bit halves: portable to 32-bit targets.
struct Wide128 {
  uint64_t high, low;
  bool operator<=(const Wide128& other) const {
    return high < other.high || (high == other.high && low <= other.low);
  }
};
Wide128 Multiply(uint64_t a, uint64_t b) {
  uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32, bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
  uint64_t lowLow = aLow * bLow, highLow = aHigh * bLow, lowHigh = aLow * bHigh;
  uint64_t middle = (lowLow >> 32) + (highLow & 0xFFFFFFFFu) + (lowHigh & 0xFFFFFFFFu);
  return {aHigh * bHigh + (highLow >> 32) + (lowHigh >> 32) + (middle >> 32),
          (middle << 32) | (lowLow & 0xFFFFFFFFu)};
}
}  // namespace

int GaugePercent(int64_t value, int64_t maximum) {
  if (maximum <= 0 || value <= 0) return 0;
  if (value >= maximum) return 100;
  // The largest p with p * maximum <= 100 * value.
  Wide128 scaled = Multiply((uint64_t)value, 100);
  int percent = 99;
  while (percent > 0 && !(Multiply((uint64_t)percent, (uint64_t)maximum) <= scaled)) --percent;
  return percent;
}
