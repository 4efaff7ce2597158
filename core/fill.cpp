#include "core/fill.h"

std::string FillText(const char* pattern, std::initializer_list<std::string> values) {
  std::string text;
  auto value = values.begin();
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 's' && value != values.end()) {
      text += *value++;
      ++p;
    } else {
      text += *p;
    }
  }
  return text;
}
