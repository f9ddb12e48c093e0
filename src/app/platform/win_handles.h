#pragma once
// RAII owners for the Windows handles the program opens, so that no
// function needs a cleanup ladder.
#include <windows.h>

#include <utility>

namespace quillo {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.h_, Traits::Invalid()));
    return *this;
  }
  void Reset(Handle h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Close(h_);
    h_ = h;
  }
  Handle Get() const { return h_; }
  Handle Release() { return std::exchange(h_, Traits::Invalid()); }
  bool Valid() const { return h_ != Traits::Invalid(); }
  explicit operator bool() const { return Valid(); }
  operator Handle() const { return h_; }

 private:
  Handle h_ = Traits::Invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct FontTraits {
  using Handle = HFONT;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
struct BrushTraits {
  using Handle = HBRUSH;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { FreeLibrary(h); }
};
struct AccelTraits {
  using Handle = HACCEL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyAcceleratorTable(h); }
};
struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;  // mutexes, processes, events
using FileHandle = UniqueHandle<FileHandleTraits>;
using FontHandle = UniqueHandle<FontTraits>;
using BrushHandle = UniqueHandle<BrushTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
using AccelHandle = UniqueHandle<AccelTraits>;
using FindHandle = UniqueHandle<FindTraits>;

// Opens the clipboard for the life of the object.
class ClipboardLock {
 public:
  explicit ClipboardLock(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~ClipboardLock() { if (open_) CloseClipboard(); }
  ClipboardLock(const ClipboardLock&) = delete;
  ClipboardLock& operator=(const ClipboardLock&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

}  // namespace quillo
