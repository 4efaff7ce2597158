// Scoped owners of the system's handles, GDI objects and interfaces: each releases what it
// holds when the block or the object that acquired it ends, also when that ends by a failure,
// so that a function can be a straight list of early returns and raises.
#pragma once
#include <windows.h>

#include <utility>

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
  Scoped(Scoped&& other) noexcept : value_(other.Take()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) Reset(other.Take());
    return *this;
  }

  Value get() const { return value_; }
  bool held() const { return value_ && value_ != reinterpret_cast<Value>(INVALID_HANDLE_VALUE); }
  // Releases the value held and takes the new one.
  void Reset(Value value = nullptr) {
    if (held()) Free(value_);
    value_ = value;
  }
  // Gives the value up without releasing it (to a new owner, or for a release whose result
  // is examined).
  Value Take() { return std::exchange(value_, nullptr); }

 private:
  Value value_ = nullptr;
};

namespace scoped_release {
inline void Handle(HANDLE handle) { CloseHandle(handle); }
inline void Find(HANDLE handle) { FindClose(handle); }
inline void Key(HKEY key) { RegCloseKey(key); }
inline void Library(HMODULE library) { FreeLibrary(library); }
template <typename Object>
void GdiObject(Object object) {
  DeleteObject(object);
}
inline void MemoryDC(HDC dc) { DeleteDC(dc); }
inline void Icon(HICON icon) { DestroyIcon(icon); }
inline void Metafile(HENHMETAFILE metafile) { DeleteEnhMetaFile(metafile); }
}  // namespace scoped_release

using ScopedHandle = Scoped<HANDLE, scoped_release::Handle>;     // CreateFile
using ScopedFind = Scoped<HANDLE, scoped_release::Find>;         // FindFirstFile
using ScopedKey = Scoped<HKEY, scoped_release::Key>;             // RegOpenKeyEx, RegCreateKeyEx
using ScopedLibrary = Scoped<HMODULE, scoped_release::Library>;  // LoadLibrary
// GDI objects: CreateFont, CreateSolidBrush, CreateCompatibleBitmap, CreateDIBSection, ...
template <typename Object>
using ScopedGdi = Scoped<Object, scoped_release::GdiObject<Object>>;
using ScopedFont = ScopedGdi<HFONT>;
using ScopedBrush = ScopedGdi<HBRUSH>;
using ScopedBitmap = ScopedGdi<HBITMAP>;
using ScopedMemoryDC = Scoped<HDC, scoped_release::MemoryDC>;           // CreateCompatibleDC
using ScopedIcon = Scoped<HICON, scoped_release::Icon>;                 // LoadImage (IMAGE_ICON)
using ScopedMetafile = Scoped<HENHMETAFILE, scoped_release::Metafile>;  // SetEnhMetaFileBits

// A window's device context from GetDC, given back to the window at the end of the block.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() { ReleaseDC(window_, dc_); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The device context of a WM_PAINT, ended (EndPaint) at the end of the block.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

// An object selected into a device context, the one it replaced selected again at the end of
// the block (before the object itself may be deleted).
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

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
