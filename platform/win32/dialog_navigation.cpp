#include "platform/win32/dialog_navigation.h"

namespace vfx::platform::win32 {
namespace {

bool InView(HWND window, HWND control) {
  RECT seen;
  GetClientRect(window, &seen);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&seen), 2);
  for (HWND at = control; at && at != window; at = GetParent(at)) {
    RECT place;
    GetWindowRect(at, &place);
    if (!IntersectRect(&seen, &seen, &place)) return false;
  }
  return true;
}

}  // namespace

bool TakesEveryKey(HWND control) {
  return (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS) != 0;
}

HWND NextTabStop(HWND window, HWND from, bool previous) {
  if (from == window || !IsChild(window, from)) from = nullptr;
  HWND next = from, first = nullptr;
  for (;;) {
    next = GetNextDlgTabItem(window, next, previous);
    if (!next) return nullptr;
    if (InView(window, next)) return next;
    if (next == first) return nullptr;  // round the whole order: nothing in view
    if (!first) first = next;
  }
}

}  // namespace vfx::platform::win32
