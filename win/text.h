// The one conversion between the programs' texts and the system's: code page 1256 is the
// programs' only text encoding, whatever the system's ANSI code page is, and every Windows
// call that takes or returns a name or text goes through the wide function with these
// conversions, so a Persian name is the same name on a Western Windows as on a Persian one.
//
// A character that code page 1256 cannot spell (a payload file named in another script)
// travels through the programs as "\x01" and its UTF-16 code in four hex digits, a sequence
// that no file name can hold (names refuse the characters 1 to 31), and reaches the system
// as itself: such a file is found, copied and deleted under its own long name, and shown
// with its own letters.
#pragma once
#include <string>

inline constexpr unsigned kArabicCodePage = 1256;

// Code page 1256 text to UTF-16, the escaped characters restored.
std::wstring ToWide(const std::string& text);

// UTF-16 to code page 1256 text; what code page 1256 cannot spell is escaped, so that
// ToWide(FromWide(x)) == x for every text.
std::string FromWide(const std::wstring& text);

// UTF-16 to another single-byte code page (the OEM one); a character that has no form there
// becomes "?" and makes *complete false.
std::string ToCodePage(const std::wstring& text, unsigned codePage, bool* complete);
