#include "win/text.h"

#include <windows.h>

std::wstring ToWide(const std::string& bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  int count = MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
  std::wstring wide(count, L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), &wide[0], count);
  return wide;
}

std::string FromWide(const std::wstring& text, unsigned codePage, bool* complete) {
  if (complete) *complete = true;
  if (text.empty()) return {};
  // No best fit: a letter without a form must not turn into a look-alike that names
  // another file.
  BOOL usedDefault = FALSE;
  int count = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), (int)text.size(),
                                  nullptr, 0, "?", &usedDefault);
  std::string bytes(count, '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), (int)text.size(), &bytes[0],
                      count, "?", &usedDefault);
  if (complete) *complete = !usedDefault;
  return bytes;
}
