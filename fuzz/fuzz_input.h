// Reading a fuzz input as several values: numbers and texts taken from its front, the rest
// as one last text. Every target splits its bytes this way, so any input is a valid case.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // The next byte, 0 when none is left.
  uint8_t Byte() { return size_ > 0 ? (--size_, *data_++) : 0; }
  // The next eight bytes as a number (missing bytes are 0).
  uint64_t Number() {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = value << 8 | Byte();
    return value;
  }
  // The bytes up to the next separator byte 0xFF (or the end), without it.
  std::string Text() {
    std::string text;
    while (size_ > 0) {
      uint8_t c = Byte();
      if (c == 0xFF) break;
      text += char(c);
    }
    return text;
  }
  // Every byte left.
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data_), size_);
    size_ = 0;
    return rest;
  }
  bool Empty() const { return size_ == 0; }

 private:
  const uint8_t* data_;
  size_t size_;
};

// Ends the run as a crash, which libFuzzer reports with its input, when a property of the code
// under test does not hold.
#define FUZZ_EXPECT(condition)          \
  do {                                  \
    if (!(condition)) __builtin_trap(); \
  } while (0)
