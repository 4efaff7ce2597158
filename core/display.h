// How the windows show values: the text of the failure box and the gauge's percentage.
#pragma once
#include <cstdint>
#include <string>

// The failure's text with a full stop appended when its last character's code is greater
// than that of "." (so "...specified." and "x:" stay, "Stream read error" gets one).
std::string FailureBoxText(const std::string& text);

// The whole percentage of value in 0..maximum, the value clamped to that range; 0 for a
// maximum of 0 or less. Exact for every 64-bit value.
int GaugePercent(int64_t value, int64_t maximum);
