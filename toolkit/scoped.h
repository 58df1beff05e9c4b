// Small owners for Win32 handles: each releases its handle the way the system
// wants it released, exactly once, when it goes out of scope.
#pragma once
#include <windows.h>
#undef MessageBox

namespace tk {

// Owns one handle; Release says how to give it back.
template <class Handle, void (*ReleaseHandle)(Handle)>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(Handle handle) : handle_(handle) {}
  Scoped(Scoped&& other) noexcept : handle_(other.Detach()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    Reset(other.Detach());
    return *this;
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  ~Scoped() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Gives up ownership without releasing, e.g. when the system has taken it.
  Handle Detach() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Reset(Handle handle = nullptr) {
    if (handle_) ReleaseHandle(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

namespace release {
inline void Window(HWND h) { DestroyWindow(h); }
template <class Object>
inline void GdiObject(Object h) { DeleteObject(h); }
inline void MemoryDC(HDC h) { DeleteDC(h); }
inline void Icon(HICON h) { DestroyIcon(h); }
inline void File(HANDLE h) { CloseHandle(h); }
}  // namespace release

using ScopedWindow = Scoped<HWND, release::Window>;
using ScopedFont = Scoped<HFONT, release::GdiObject<HFONT>>;
using ScopedBrush = Scoped<HBRUSH, release::GdiObject<HBRUSH>>;
using ScopedBitmap = Scoped<HBITMAP, release::GdiObject<HBITMAP>>;
using ScopedRegion = Scoped<HRGN, release::GdiObject<HRGN>>;
using ScopedMemoryDC = Scoped<HDC, release::MemoryDC>;
using ScopedIcon = Scoped<HICON, release::Icon>;

// A file handle; CreateFile reports failure with INVALID_HANDLE_VALUE, which
// is kept out so that only real handles are closed.
class ScopedFile {
 public:
  explicit ScopedFile(HANDLE handle) : file_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  HANDLE Get() const { return file_.Get(); }
  explicit operator bool() const { return bool(file_); }

 private:
  Scoped<HANDLE, release::File> file_;
};

// The device context of a window's client area (GetDC) or of the whole window
// (GetWindowDC), released with ReleaseDC.
class WindowDC {
 public:
  enum Area { kClient, kWhole };
  explicit WindowDC(HWND window, Area area = kClient)
      : window_(window), dc_(area == kClient ? GetDC(window) : GetWindowDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The device context of a WM_PAINT, ended with EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { BeginPaint(window, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { EndPaint(window_, &paint_); }
  HDC Get() const { return paint_.hdc; }
  const RECT& Dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
};

// An object selected into a DC for a while; the previous one comes back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A heap block of `count` elements, freed with the owner. Allocation failure
// ends the process: the product has no way to go on without memory.
template <class T>
class HeapArray {
 public:
  HeapArray() = default;
  explicit HeapArray(size_t count) : data_(count ? new T[count]() : nullptr), count_(count) {}
  HeapArray(HeapArray&& other) noexcept : data_(other.data_), count_(other.count_) {
    other.data_ = nullptr;
    other.count_ = 0;
  }
  HeapArray& operator=(HeapArray&& other) noexcept {
    if (this != &other) {
      delete[] data_;
      data_ = other.data_;
      count_ = other.count_;
      other.data_ = nullptr;
      other.count_ = 0;
    }
    return *this;
  }
  HeapArray(const HeapArray&) = delete;
  HeapArray& operator=(const HeapArray&) = delete;
  ~HeapArray() { delete[] data_; }

  T* Get() const { return data_; }
  T& operator[](size_t i) const { return data_[i]; }
  size_t Count() const { return count_; }

 private:
  T* data_ = nullptr;
  size_t count_ = 0;
};

}  // namespace tk
