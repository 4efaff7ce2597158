#include "core/lines.h"

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // a line has begun and not yet ended
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      open = false;
      continue;
    }
    open = true;
    // A CR is dropped: before LF it is part of the line end, elsewhere it is not kept.
    if (c != '\r') line += c;
  }
  if (open) lines.push_back(std::move(line));
  return lines;
}

std::vector<std::string> FirstLines(std::string_view text, size_t count) {
  std::vector<std::string> lines = SplitLines(text);
  lines.resize(count);
  return lines;
}

std::string_view UpToEndOfFileMark(std::string_view text) {
  return text.substr(0, text.find('\x1A'));
}
