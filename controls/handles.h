#pragma once
// Owning wrappers for the platform's handles: one owner per handle, copy deleted,
// move allowed, released when the owner goes; the scoped states of a device context;
// and ScopeExit, for any other action that must run when a scope ends.
#include <windows.h>
#include <commctrl.h>

#include <utility>

template <typename Handle, typename Deleter>
class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  // For a function that writes the handle to an out-parameter: the old one released,
  // the new one owned from the moment it is written.
  Handle* put() {
    reset();
    return &handle_;
  }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    Handle old = std::exchange(handle_, handle);
    if (old != nullptr) Deleter()(old);
  }

private:
  Handle handle_ = nullptr;
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ImageListDeleter {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
struct KernelHandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct WinEventHookDeleter {
  void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectDeleter>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniquePalette = UniqueHandle<HPALETTE, GdiObjectDeleter>;
using UniquePen = UniqueHandle<HPEN, GdiObjectDeleter>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcDeleter>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListDeleter>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, WinEventHookDeleter>;

// Selects an object into a device context for one scope.
class ScopedSelect {
public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelect() { SelectObject(dc_, old_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

// Selects and realises a palette for one scope: by default a background palette, so
// that the window in front keeps the foreground one.
class ScopedPalette {
public:
  ScopedPalette(HDC dc, HPALETTE palette, bool background = true)
      : dc_(dc),
        old_(palette ? SelectPalette(dc, palette, background ? TRUE : FALSE) : nullptr),
        changed_(palette ? RealizePalette(dc) : 0) {}
  ~ScopedPalette() {
    if (old_) SelectPalette(dc_, old_, TRUE);
  }
  ScopedPalette(const ScopedPalette&) = delete;
  ScopedPalette& operator=(const ScopedPalette&) = delete;

  // Whether realising it changed the screen's colours.
  bool ChangedColors() const { return changed_ != 0 && changed_ != GDI_ERROR; }

private:
  HDC dc_;
  HPALETTE old_;
  UINT changed_;
};

// A window's device context for one scope (the screen's with no window).
class ScopedWindowDc {
public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedWindowDc() { ReleaseDC(window_, dc_); }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
public:
  explicit ScopedPaint(HWND window) : window_(window) { BeginPaint(window, &paint_); }
  ~ScopedPaint() { EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC dc() const { return paint_.hdc; }
  const RECT& area() const { return paint_.rcPaint; }

private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// Saves and restores a device context's state (clipping, colours, objects).
class ScopedSaveDc {
public:
  explicit ScopedSaveDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~ScopedSaveDc() { RestoreDC(dc_, saved_); }
  ScopedSaveDc(const ScopedSaveDc&) = delete;
  ScopedSaveDc& operator=(const ScopedSaveDc&) = delete;

private:
  HDC dc_;
  int saved_;
};

// Runs an action when the scope ends, however it ends.
template <class Action>
class ScopeExit {
public:
  explicit ScopeExit(Action action) : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

private:
  Action action_;
};
