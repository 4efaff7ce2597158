#include "core/text_helpers.h"

std::string TrimLeadingSpaces(const std::string& s) {
  size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first);
}

std::string TrimTrailingSpaces(const std::string& s) {
  size_t last = s.find_last_not_of(' ');
  return last == std::string::npos ? std::string() : s.substr(0, last + 1);
}

std::string TrimSpaces(const std::string& s) { return TrimLeadingSpaces(TrimTrailingSpaces(s)); }

std::string LeftText(const std::string& s, size_t n) {
  if (s.empty() || n == 0) return "";
  return s.size() < n ? s : s.substr(0, n);
}

std::string RightText(const std::string& s, size_t n) {
  if (s.empty() || n == 0) return "";
  return s.size() < n ? s : s.substr(s.size() - n);
}

std::string MidText(const std::string& s, size_t p, size_t n) {
  if (s.empty() || p == 0 || n == 0 || p > s.size()) return "";
  if (s.size() - p < n) return RightText(s, s.size() - p + 1);
  return s.substr(p - 1, n);
}

std::string SpliceText(const std::string& s, size_t p, size_t n, const std::string& t) {
  if (s.empty() || p == 0) return "";
  std::string rest = s;
  if (n > 0 && p <= rest.size()) rest.erase(p - 1, n);
  std::string tail = rest.size() < p ? std::string() : MidText(rest, p, rest.size() - p + 1);
  return LeftText(rest, p - 1) + t + tail;
}
