// The form's window: a fixed-size tool window (small caption, no maximize or minimize box, no
// task-bar button) that holds the controls and answers for them as a dialog would: the default
// button, access keys and the arrow keys within a group come from the dialog manager, which the
// event pump runs every message through; Tab, and Enter and Escape in a box that takes every
// key, the window answers itself (a plain window is no dialog to the dialog manager, and a
// multi-line box asks its parent to move the focus with WM_NEXTDLGCTL, which only a dialog
// answers).
#include <algorithm>
#include <cassert>
#include <cmath>
#include <string>

#include "platform/win32/dialog_navigation.h"
#include "platform/win32/peers.h"
#include "platform/win32/report.h"
#include "platform/win32/system_menu.h"
#include "platform/win32/system_text.h"
#include "platform/win32/text.h"
#include "toolkit/command_button.h"
#include "toolkit/control.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::Property;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
// The bare rectangle: a pop-up without caption or border; as a tool window it has no task-bar
// button either.
constexpr DWORD kBareStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kBareExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

bool IsBare(const toolkit::Form& form) {
  return form.border_style() == toolkit::Form::BorderStyle::kNone;
}

class FormWindow final : public Wnd, public toolkit::FormPeer {
 public:
  FormWindow(Win32Backend& backend, toolkit::Form& form) : backend_(backend), form_(form) {
    const std::wstring className = L"VontraFX." + Widen(form.name());
    const int big = GetSystemMetrics(SM_CXICON), small = GetSystemMetrics(SM_CXSMICON);
    RegisterCustomClass(className.c_str(), 0, backend.Icon(form.icon(), big, big));
    CreateCustom({
        .className = className.c_str(),
        .text = Widen(form.caption()),
        .style = IsBare(form) ? kBareStyle : kStyle,
        .exStyle = IsBare(form) ? kBareExStyle : kExStyle,
        .place = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + 200, CW_USEDEFAULT + 200},
    });
    if (!hwnd) return;
    SendMessageW(hwnd, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(backend.Icon(form.icon(), big, big)));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(backend.Icon(form.icon(), small, small)));
    // What the window system really adds around the client area, measured on the window.
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    frame_ = {static_cast<float>(backend.TwipsX((outer.right - outer.left) - client.right)),
              static_cast<float>(backend.TwipsY((outer.bottom - outer.top) - client.bottom))};
    backend.events().AddDialogWindow(hwnd);
  }

  ~FormWindow() override {
    if (hwnd) backend_.events().RemoveDialogWindow(hwnd);
  }

  platform::WindowHandle native_handle() const override {
    return reinterpret_cast<platform::WindowHandle>(hwnd);
  }
  toolkit::Size non_client_size() const override { return frame_; }

  void Destroy() override {
    if (!hwnd) return;
    backend_.events().RemoveDialogWindow(hwnd);
    destroying_ = true;
    Wnd::Destroy();
  }

  void StartTimer(int id, double seconds) override {
    assert(seconds >= 0 && "the model's intervals are never negative");
    if (hwnd)
      VFX_FAULT_IF_FALSE(SetTimer(hwnd, static_cast<UINT_PTR>(id),
                                  static_cast<UINT>(std::ceil(seconds * 1000)), nullptr));
  }
  void StopTimer(int id) override {
    if (hwnd) KillTimer(hwnd, static_cast<UINT_PTR>(id));
  }
  bool RegisterHotKey(int id, const platform::HotKey& key) override {
    return hwnd && RegisterWindowHotKey(hwnd, id, key);
  }
  void UnregisterHotKey(int id) override {
    if (hwnd) VFX_FAULT_IF_FALSE(::UnregisterHotKey(hwnd, id));
  }

  void Changed(Property property) override {
    if (!hwnd) return;
    switch (property) {
      case Property::kCaption:
        SetWindowTextW(hwnd, Widen(form_.caption()).c_str());
        break;
      case Property::kBounds: {
        applying_ = true;
        const int width = backend_.PixelsX(form_.width()),
                  height = backend_.PixelsY(form_.height());
        if (form_.centred()) {
          // Centred in the screen's work area, so a task bar does not push it off the middle.
          const RECT work = WorkAreaOf(hwnd);
          SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - width) / 2,
                       work.top + (work.bottom - work.top - height) / 2, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (form_.opens_lower_right() && !placed_) {
          placed_ = true;
          const RECT work = WorkAreaOf(hwnd);
          const int roomX = std::max(width, backend_.PixelsX(form_.largest_size().width));
          const int roomY = std::max(height, backend_.PixelsY(form_.largest_size().height));
          constexpr int kMargin = 8;
          SetWindowPos(hwnd, nullptr, std::max(work.left, work.right - roomX - kMargin),
                       std::max(work.top, work.bottom - roomY - kMargin), width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
          SetWindowPos(hwnd, nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        applying_ = false;
        break;
      }
      case Property::kVisible:
        ShowWindow(hwnd, form_.is_visible() ? SW_SHOW : SW_HIDE);
        if (form_.is_visible()) {
          FocusModelControl();
          UpdateWindow(hwnd);
        }
        break;
      case Property::kWindowState:
        ShowWindow(hwnd, form_.window_state() == toolkit::Form::WindowState::kMinimized
                             ? SW_MINIMIZE
                             : SW_RESTORE);
        break;
      case Property::kColours:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
      case Property::kFocus:
        FocusModelControl();
        break;
      default:
        break;
    }
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (Reflect(hwnd, message, wParam, lParam, result)) return true;
    switch (message) {
      case WM_ERASEBKGND:
        FillClient(reinterpret_cast<HDC>(wParam), brush_.Get(form_.back_colour()));
        result = 1;
        return true;
      case DM_GETDEFID:
        result = DefaultButtonId(hwnd, form_);
        return true;
      case WM_NEXTDLGCTL:
        MoveDialogFocus(hwnd, wParam, LOWORD(lParam) != 0);
        result = 0;
        return true;
      case kDialogKeyMessage:
        result = HandleDialogKey(hwnd, form_, *reinterpret_cast<const MSG*>(lParam)) ? 1 : 0;
        return true;
      case WM_GETMINMAXINFO: {
        // The compact strip is narrower than the system's least tracking size.
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {1, 1};
        result = 0;
        return true;
      }
      case WM_SIZE:
        Resized(wParam);
        return false;
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
          FocusModelControl();
          result = 0;
          return true;
        }
        return false;
      case WM_SETFOCUS:
        FocusModelControl();
        result = 0;
        return true;
      case WM_CONTEXTMENU:
        return FormContextMenu(hwnd, form_, wParam, lParam, result);
      case WM_CLOSE:
        form_.native_close_requested();
        result = 0;
        return true;
      case WM_TIMER:
        KillTimer(hwnd, wParam);
        form_.native_timer_elapsed(static_cast<int>(wParam));
        result = 0;
        return true;
      case WM_HOTKEY:
        form_.native_hot_key(static_cast<int>(wParam));
        result = 0;
        return true;
      case WM_INITMENUPOPUP:
        if (HIWORD(lParam))
          systemMenu_.Rebuild(reinterpret_cast<HMENU>(wParam), form_.system_menu());
        return false;
      case WM_SYSCOMMAND:
        if (!systemMenu_.Choose(static_cast<UINT>(wParam))) return false;
        result = 0;
        return true;
      default:
        return false;
    }
  }

 private:
  void FocusModelControl() {
    if (destroying_) return;
    toolkit::Control* control = form_.focused();
    HWND target = control ? reinterpret_cast<HWND>(control->native_handle()) : nullptr;
    if (target && IsWindowVisible(hwnd) && IsWindowEnabled(target)) SetFocus(target);
  }

  void Resized(WPARAM kind) {
    using State = toolkit::Form::WindowState;
    if (kind == SIZE_MINIMIZED) {
      form_.native_window_state_changed(State::kMinimized);
      return;
    }
    if (kind == SIZE_RESTORED) form_.native_window_state_changed(State::kNormal);
    if (applying_ || kind != SIZE_RESTORED) return;
    // A size the window system chose on its own: the model takes it, unless the window is
    // only showing the model's size rounded to pixels.
    RECT outer;
    GetWindowRect(hwnd, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    if (width == backend_.PixelsX(form_.width()) && height == backend_.PixelsY(form_.height()))
      return;
    form_.native_resized(
        {static_cast<float>(backend_.TwipsX(width)), static_cast<float>(backend_.TwipsY(height))});
  }

  Win32Backend& backend_;
  toolkit::Form& form_;
  toolkit::Size frame_;
  Brush brush_;
  SystemMenuItems systemMenu_;
  bool applying_ = false;
  bool destroying_ = false;
  bool placed_ = false;
};

}  // namespace

std::unique_ptr<toolkit::FormPeer> CreateFormWindow(Win32Backend& backend, toolkit::Form& form) {
  return std::make_unique<FormWindow>(backend, form);
}

}  // namespace vfx::platform::win32
