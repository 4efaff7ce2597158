#include "win/text.h"

#include <windows.h>

namespace {
const char kEscape = '\x01';
const char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::wstring Widen(const char* bytes, size_t size) {
  if (size == 0) return {};
  int count = MultiByteToWideChar(kArabicCodePage, 0, bytes, (int)size, nullptr, 0);
  std::wstring wide(count, L'\0');
  MultiByteToWideChar(kArabicCodePage, 0, bytes, (int)size, &wide[0], count);
  return wide;
}
}  // namespace

std::wstring ToWide(const std::string& text) {
  std::wstring wide;
  size_t plain = 0;  // start of the bytes not yet converted
  for (size_t at = text.find(kEscape); at != std::string::npos; at = text.find(kEscape, at + 1)) {
    if (at + 5 > text.size()) break;
    int code = 0;
    for (size_t i = 1; i <= 4 && code >= 0; ++i) {
      int digit = HexValue(text[at + i]);
      code = digit < 0 ? -1 : code * 16 + digit;
    }
    if (code < 0) continue;
    wide += Widen(text.data() + plain, at - plain);
    wide += wchar_t(code);
    plain = at + 5;
    at += 4;
  }
  return wide + Widen(text.data() + plain, text.size() - plain);
}

std::string FromWide(const std::wstring& text) {
  bool complete = false;
  std::string bytes = ToCodePage(text, kArabicCodePage, &complete);
  if (complete && bytes.find(kEscape) == std::string::npos) return bytes;
  bytes.clear();
  for (wchar_t c : text) {
    // No best fit: a letter without a form must not turn into a look-alike that names
    // another file.
    char byte = 0;
    BOOL usedDefault = FALSE;
    int count = c == L'\x01' ? 0
                             : WideCharToMultiByte(kArabicCodePage, WC_NO_BEST_FIT_CHARS, &c, 1,
                                                   &byte, 1, nullptr, &usedDefault);
    if (count == 1 && !usedDefault) {
      bytes += byte;
      continue;
    }
    bytes += kEscape;
    for (int shift = 12; shift >= 0; shift -= 4) bytes += kHexDigits[(c >> shift) & 15];
  }
  return bytes;
}

std::string ToCodePage(const std::wstring& text, unsigned codePage, bool* complete) {
  *complete = true;
  if (text.empty()) return {};
  BOOL usedDefault = FALSE;
  int count = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), (int)text.size(),
                                  nullptr, 0, "?", &usedDefault);
  std::string bytes(count, '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), (int)text.size(), &bytes[0],
                      count, "?", &usedDefault);
  *complete = !usedDefault;
  return bytes;
}
