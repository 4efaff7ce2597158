#include "win/text.h"

#include <windows.h>

std::wstring ToWide(const std::string& bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  int count = MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
  std::wstring wide(count, L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), &wide[0], count);
  return wide;
}
