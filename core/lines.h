// Reading the programs' small text files (settings, lists, the product record) from their
// bytes: one rule for what a line is, shared by every reader. Readers keep only the lines
// they use, so a file of millions of line ends costs no more than its own bytes.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The line rule: a line ends at LF or at CR LF, neither belonging to it; a CR that is not
// followed by LF is not a line end and is dropped; a line may be of any length. A last line
// without a line end counts; an empty text has no lines. Bytes are kept unchanged.
// ForEachLine hands each line to `visit` in turn, until `visit` returns false.
void ForEachLine(std::string_view text, const std::function<bool(const std::string&)>& visit);

// The first `count` lines of a text; lines that the text does not have are empty.
std::vector<std::string> FirstLines(std::string_view text, size_t count);

// The number of lines of a text, by the same rule.
size_t CountLines(std::string_view text);

// The text before its first byte 26 (Ctrl+Z), which ends a text file where it stands.
std::string_view UpToEndOfFileMark(std::string_view text);
