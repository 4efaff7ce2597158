// The one conversion between the programs' texts and the system's: code page 1256 is the
// programs' only text encoding, whatever the system's ANSI code page is, and every Windows
// call that takes or returns a name or text goes through the wide function with these
// conversions, so a Persian name is the same name on a Western Windows as on a Persian one.
#pragma once
#include <string>

inline constexpr unsigned kArabicCodePage = 1256;

// Every byte of code page 1256 has a character, so this conversion never loses anything.
std::wstring ToWide(const std::string& bytes, unsigned codePage = kArabicCodePage);

// The text in a single-byte code page; a character that has no form there becomes "?" and
// makes *complete false (when given).
std::string FromWide(const std::wstring& text, unsigned codePage = kArabicCodePage,
                     bool* complete = nullptr);
