// The one failure type: it carries the text shown to the user when an operation fails
// (for example: Cannot open file "C:\x\a.txt". The system cannot find the file specified.).
// Operations throw it; the window kit's guard shows it.
#pragma once
#include <stdexcept>
#include <string>

struct Failure : std::runtime_error {
  explicit Failure(const std::string& text) : std::runtime_error(text) {}
};
