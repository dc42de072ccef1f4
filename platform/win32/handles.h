// Handles that release themselves: GDI objects, icons, menus and open files owned by one object,
// device contexts and selections held for one scope. A handle that must exist and cannot be made
// is reported (report.h), and asserted in debug builds.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/win32/report.h"

namespace vfx::platform::win32 {

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyMenuHandle {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// One owner of a handle; null is "none".
template <typename Handle, typename Release>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~Owned() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) Release()(handle_);
    handle_ = handle;
  }
  // Gives the handle up to a new owner.
  [[nodiscard]] Handle Disown() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedPen = Owned<HPEN, DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedIcon = Owned<HICON, DestroyIconHandle>;
using OwnedMenu = Owned<HMENU, DestroyMenuHandle>;
// CreateFileW's failure is INVALID_HANDLE_VALUE, not null: OpenFile makes it null.
using OwnedFile = Owned<HANDLE, CloseKernelHandle>;

inline OwnedFile OpenFile(const wchar_t* path, DWORD access, DWORD sharing, DWORD disposition,
                          DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  const HANDLE file = CreateFileW(path, access, sharing, nullptr, disposition, flags, nullptr);
  return OwnedFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// Handles that must exist: a failure is a fault of ours (or an exhausted system), not a case to
// handle.
inline OwnedFont MakeFont(const LOGFONTW& description) {
  return OwnedFont(VFX_FAULT_IF_FALSE(CreateFontIndirectW(&description)));
}
inline OwnedBrush MakeBrush(COLORREF colour) {
  return OwnedBrush(VFX_FAULT_IF_FALSE(CreateSolidBrush(colour)));
}
inline OwnedPen MakePen(COLORREF colour) {
  return OwnedPen(VFX_FAULT_IF_FALSE(CreatePen(PS_SOLID, 1, colour)));
}

// A device context held for one scope.
class ScopedDc {
 public:
  ScopedDc(const ScopedDc&) = delete;
  ScopedDc& operator=(const ScopedDc&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }

 protected:
  ScopedDc() = default;
  HDC dc_ = nullptr;
};

// A window's device context (the screen's for null): GetDC and ReleaseDC.
class WindowDc : public ScopedDc {
 public:
  explicit WindowDc(HWND window = nullptr) : window_(window) {
    dc_ = VFX_FAULT_IF_FALSE(GetDC(window));
  }
  ~WindowDc() { ReleaseDC(window_, dc_); }

 private:
  HWND window_;
};

// A WM_PAINT's device context: BeginPaint and EndPaint.
class PaintDc : public ScopedDc {
 public:
  explicit PaintDc(HWND window) : window_(window) {
    dc_ = VFX_FAULT_IF_FALSE(BeginPaint(window, &paint_));
  }
  ~PaintDc() { EndPaint(window_, &paint_); }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// A memory device context compatible with another.
class MemoryDc : public ScopedDc {
 public:
  explicit MemoryDc(HDC compatible) { dc_ = VFX_FAULT_IF_FALSE(CreateCompatibleDC(compatible)); }
  ~MemoryDc() { DeleteDC(dc_); }
};

// An object selected into a device context for one scope; the one it replaced comes back.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  ~Selected() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace vfx::platform::win32
