// Conversions between the programs' single-byte texts and the wide texts the window
// system draws. Persian texts are converted with code page 1256 explicitly, so they read
// correctly on a Windows whose ANSI code page is another one; paths use the ANSI code page.
#pragma once
#include <string>

inline constexpr unsigned kArabicCodePage = 1256;
inline constexpr unsigned kAnsiCodePage = 0;  // CP_ACP

std::wstring ToWide(const std::string& bytes, unsigned codePage);
