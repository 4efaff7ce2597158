#include "core/lines.h"

void ForEachLine(std::string_view text, const std::function<bool(const std::string&)>& visit) {
  std::string line;
  bool open = false;  // a line has begun and not yet ended
  for (char c : text) {
    if (c == '\n') {
      if (!visit(line)) return;
      line.clear();
      open = false;
      continue;
    }
    open = true;
    // A CR is dropped: before LF it is part of the line end, elsewhere it is not kept.
    if (c != '\r') line += c;
  }
  if (open) visit(line);
}

std::vector<std::string> FirstLines(std::string_view text, size_t count) {
  std::vector<std::string> lines;
  if (count > 0)
    ForEachLine(text, [&](const std::string& line) {
      lines.push_back(line);
      return lines.size() < count;
    });
  lines.resize(count);
  return lines;
}

size_t CountLines(std::string_view text) {
  size_t count = 0;
  ForEachLine(text, [&](const std::string&) { return ++count, true; });
  return count;
}

std::string_view UpToEndOfFileMark(std::string_view text) {
  return text.substr(0, text.find('\x1A'));
}
