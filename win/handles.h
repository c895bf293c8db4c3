// Owners for what Win32 hands us: kernel handles, directory searches, WinHTTP
// handles, movable global memory, GDI objects, menus, top-level windows we
// create for ourselves and device contexts. Child control windows are owned by
// their Control (win/control.h), not here.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <utility>

namespace ondrix::win {

// Owns one resource released by Traits::Close; moves, never copies.
template <class Traits>
class UniqueResource {
 public:
  using Handle = typename Traits::Handle;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
  ~UniqueResource() { Reset(); }

  UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return Traits::IsValid(handle_); }

  Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (Traits::IsValid(old)) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// CreateFile reports failure as INVALID_HANDLE_VALUE, most others as null:
// both count as "nothing owned".
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::CloseHandle(h); }
};

// FindFirstFileW / FindClose.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::FindClose(h); }
};

struct HttpHandleTraits {
  using Handle = HINTERNET;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr; }
  static void Close(Handle h) noexcept { ::WinHttpCloseHandle(h); }
};

// GlobalAlloc / GlobalFree. Release() hands the memory to whoever takes it
// over (SetClipboardData).
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr; }
  static void Close(Handle h) noexcept { ::GlobalFree(h); }
};

template <class T>
struct GdiObjectTraits {
  using Handle = T;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr; }
  static void Close(Handle h) noexcept { ::DeleteObject(h); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr; }
  static void Close(Handle h) noexcept { ::DestroyMenu(h); }
};

// For windows we create and own outright (tooltips, helper popups).
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr; }
  static void Close(Handle h) noexcept {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFind = UniqueResource<FindHandleTraits>;
using UniqueHttpHandle = UniqueResource<HttpHandleTraits>;
using UniqueGlobal = UniqueResource<GlobalMemoryTraits>;
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;
using UniqueMenu = UniqueResource<MenuTraits>;
using UniqueWindow = UniqueResource<WindowTraits>;

// GetDC / ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const noexcept { return dc_; }
  operator HDC() const noexcept { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint / EndPaint, for WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) noexcept : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  ~PaintDC() { ::EndPaint(hwnd_, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const noexcept { return dc_; }
  operator HDC() const noexcept { return dc_; }
  const RECT& PaintRect() const noexcept { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back.
class SelectObjectGuard {
 public:
  SelectObjectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
  ~SelectObjectGuard() { ::SelectObject(dc_, old_); }
  SelectObjectGuard(const SelectObjectGuard&) = delete;
  SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace ondrix::win
