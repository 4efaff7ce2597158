// The installer's text helpers: trimming spaces and taking or replacing parts of a text.
// Positions are 1-based. Positions and counts are 8-bit values (0 to 255) in the installer's
// rules: a caller that computes one from text lengths reduces it modulo 256 itself. For
// texts of up to 255 characters and such arguments the results below are exact; longer
// texts are handled with the same rules in wider arithmetic. "Space" is the character 32
// only. No helper fails: every out-of-range case has a result.
#pragma once
#include <cstddef>
#include <string>

std::string TrimLeadingSpaces(const std::string& s);
std::string TrimTrailingSpaces(const std::string& s);
std::string TrimSpaces(const std::string& s);
// The first n characters (all of s when it is shorter).
std::string LeftText(const std::string& s, size_t n);
// The last n characters (all of s when it is shorter).
std::string RightText(const std::string& s, size_t n);
// Up to n characters from position p; empty for p = 0 or p beyond the end.
std::string MidText(const std::string& s, size_t p, size_t n);
// s with the n characters at position p (those that exist) replaced by t; empty for an
// empty s or p = 0; with p beyond the end, t is appended.
std::string SpliceText(const std::string& s, size_t p, size_t n, const std::string& t);
