// Where WM_CONTEXTMENU goes in the model. The window system sends it to the window under the
// pointer, or to the focused one from the keyboard, and a window that does not answer it passes
// it to its parent. A label is transparent to the pointer and a disabled control takes no mouse
// input, so a right-click over either comes to the window behind: that window looks for the
// control under the point itself.
#include <windows.h>

#include "platform/win32/peers.h"

namespace vfx::platform::win32 {

toolkit::MenuPlace MenuPlaceOf(LPARAM lParam) {
  if (lParam == -1) return toolkit::MenuPlace::Keyboard();
  return toolkit::MenuPlace::At(static_cast<short>(LOWORD(lParam)),
                                static_cast<short>(HIWORD(lParam)));
}

bool RouteContextMenu(HWND receiver, const toolkit::MenuPlace& where) {
  if (!where.point) return false;
  const POINT screen{where.point->x, where.point->y};
  // CWP_SKIPINVISIBLE alone: a hidden control has no menu, but a disabled one and a label do.
  HWND deepest = receiver;
  for (;;) {
    POINT client = screen;
    ScreenToClient(deepest, &client);
    HWND child = ChildWindowFromPointEx(deepest, client, CWP_SKIPINVISIBLE);
    if (!child || child == deepest) break;
    deepest = child;
  }
  for (HWND window = deepest; window; window = GetParent(window)) {
    auto* peer = dynamic_cast<ControlPeer*>(Wnd::FromHandle(window));
    if (peer && peer->control().context_menu(where)) return true;
    if (window == receiver) break;
  }
  return false;
}

bool ControlPeer::OnContextMenu(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const toolkit::MenuPlace where = MenuPlaceOf(lParam);
  // From the keyboard, or passed up by a child that had no handler: this control's own.
  const bool handled = where.from_keyboard() || reinterpret_cast<HWND>(wParam) != hwnd
                           ? control_.context_menu(where)
                           : RouteContextMenu(hwnd, where);
  if (handled) result = 0;
  return handled;
}

bool FormContextMenu(HWND window, toolkit::Form& form, WPARAM wParam, LPARAM lParam,
                     LRESULT& result) {
  const toolkit::MenuPlace where = MenuPlaceOf(lParam);
  bool handled = false;
  if (where.from_keyboard() || reinterpret_cast<HWND>(wParam) != window) {
    handled = form.context_menu(where);
  } else {
    POINT client{where.point->x, where.point->y};
    ScreenToClient(window, &client);
    RECT area;
    GetClientRect(window, &area);
    if (!PtInRect(&area, client)) return false;
    handled = RouteContextMenu(window, where) || form.context_menu(where);
  }
  if (handled) result = 0;
  return handled;
}

}  // namespace vfx::platform::win32
