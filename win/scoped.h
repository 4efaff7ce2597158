// Scoped owners of the system's handles: each releases what it holds when the block that
// acquired it ends, also when the block ends by a failure, so that a function can be a
// straight list of early returns and raises.
#pragma once
#include <windows.h>

// One owned value; "none" is the null value and INVALID_HANDLE_VALUE, which the system
// gives for a failed open.
template <typename Value, void (*Free)(Value)>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(Value value) : value_(value) {}
  ~Scoped() { Reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

  Value get() const { return value_; }
  bool held() const { return value_ && value_ != reinterpret_cast<Value>(INVALID_HANDLE_VALUE); }
  // Releases the value held and takes the new one.
  void Reset(Value value = nullptr) {
    if (held()) Free(value_);
    value_ = value;
  }
  // Gives the value up without releasing it (for a release whose result is examined).
  Value Take() {
    Value value = value_;
    value_ = nullptr;
    return value;
  }

 private:
  Value value_ = nullptr;
};

namespace scoped_release {
inline void Handle(HANDLE handle) { CloseHandle(handle); }
inline void Find(HANDLE handle) { FindClose(handle); }
inline void Key(HKEY key) { RegCloseKey(key); }
}  // namespace scoped_release

using ScopedHandle = Scoped<HANDLE, scoped_release::Handle>;      // CreateFile
using ScopedFind = Scoped<HANDLE, scoped_release::Find>;          // FindFirstFile
using ScopedKey = Scoped<HKEY, scoped_release::Key>;              // RegOpenKeyEx, RegCreateKeyEx

// A COM interface pointer, released at the end of the block.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() {
    if (pointer_) pointer_->Release();
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;

  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  void** Out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};
