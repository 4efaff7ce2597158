#include "core/lines.h"

#include <algorithm>

std::vector<std::string> ReadLines(const std::string& bytes, size_t count, CtrlZ ctrlZ) {
  std::vector<std::string> lines(count);
  size_t end = bytes.size();
  if (ctrlZ == CtrlZ::kEndsFile) end = std::min(end, bytes.find('\x1A'));
  size_t at = 0;
  for (std::string& line : lines) {
    for (; at < end && bytes[at] != '\n'; ++at)
      if (bytes[at] != '\r') line += bytes[at];
    if (at < end) ++at;  // past the LF
  }
  return lines;
}
