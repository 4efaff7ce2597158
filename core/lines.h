// Reading a text file's lines from its bytes, as both settings files are read: a line ends
// at LF or at CR LF, neither belonging to the value; a CR not followed by LF is dropped from
// the value; a line may be of any length. Exactly `count` lines come back: lines the text
// lacks are empty, further lines are ignored. Where a byte 26 (Ctrl+Z) marks the end of the
// file, the reader stops there.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

enum class CtrlZ { kIsData, kEndsFile };

std::vector<std::string> ReadLines(const std::string& bytes, size_t count,
                                   CtrlZ ctrlZ = CtrlZ::kIsData);
