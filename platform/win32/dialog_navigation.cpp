#include "platform/win32/dialog_navigation.h"

#include "toolkit/command_button.h"
#include "toolkit/control.h"

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

namespace {

void PressDefaultButton(HWND window, const toolkit::Form& form) {
  const LRESULT id = DefaultButtonId(window, form);
  if (HIWORD(id) != DC_HASDEFID) return;
  HWND button = GetDlgItem(window, LOWORD(id));
  if (button && IsWindowEnabled(button))
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(LOWORD(id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

}  // namespace

LRESULT DefaultButtonId(HWND, const toolkit::Form& form) {
  toolkit::Control* control = form.focused();
  if (control && control->kind() == toolkit::Control::Kind::kCommandButton &&
      GetFocus() == reinterpret_cast<HWND>(control->native_handle()))
    return MAKELRESULT(control->id(), DC_HASDEFID);
  if (toolkit::CommandButton* button = form.default_button())
    return MAKELRESULT(button->id(), DC_HASDEFID);
  return 0;
}

void MoveDialogFocus(HWND window, WPARAM which, bool named) {
  HWND target = named ? reinterpret_cast<HWND>(which) : NextTabStop(window, GetFocus(), which != 0);
  if (!target || !IsChild(window, target)) return;
  if (!named && (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
    SendMessageW(target, EM_SETSEL, 0, -1);
  SetFocus(target);
}

bool HandleDialogKey(HWND window, const toolkit::Form& form, const MSG& key) {
  if (key.message != WM_KEYDOWN) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  switch (key.wParam) {
    case VK_TAB:
      // From every control, Ctrl+Tab too: Tab always leaves a box, in both directions.
      SendMessageW(window, WM_NEXTDLGCTL, shift, 0);
      return true;
    case VK_RETURN:
      // Enter presses the default button and the caret stays in the box, so typing goes on
      // after a Send; Ctrl+Enter (and a box that wants Enter) makes a line break.
      if (control || !TakesEveryKey(key.hwnd) ||
          (GetWindowLongW(key.hwnd, GWL_STYLE) & ES_WANTRETURN))
        return false;
      PressDefaultButton(window, form);
      return true;
    case VK_ESCAPE:
      // In a dialog a multi-line box closes the dialog on Escape; here that would end the
      // add-on and lose the typed line. The window has nothing to cancel.
      return TakesEveryKey(key.hwnd);
    default:
      return false;
  }
}

}  // namespace vfx::platform::win32
