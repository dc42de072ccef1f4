// Check boxes and option buttons: real buttons, checked by the model, in their own colours.
#include <windows.h>

#include "platform/win32/peers.h"
#include "toolkit/check_box.h"
#include "toolkit/option_button.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::Property;

class TogglePeer final : public ControlPeer {
 public:
  TogglePeer(Win32Backend& backend, toolkit::CheckBox& box)
      : ControlPeer(backend, box), box_(&box) {
    Create({.className = L"BUTTON", .style = WS_TABSTOP | BS_CHECKBOX});
    Changed(Property::kValue);
  }
  // An option is a tab stop only while it is selected.
  TogglePeer(Win32Backend& backend, toolkit::OptionButton& option)
      : ControlPeer(backend, option), option_(&option) {
    Create({.className = L"BUTTON", .style = BS_RADIOBUTTON});
    Changed(Property::kValue);
  }

  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (!hwnd || property != Property::kValue) return;
    SendMessageW(hwnd, BM_SETCHECK, State(), 0);
    if (!option_) return;
    // Tab enters a group of options at the selected one; the arrow keys move within it.
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    SetWindowLongW(hwnd, GWL_STYLE, option_->value() ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  void OnCommand(int code) override {
    if (code != BN_CLICKED) return;
    if (box_)
      box_->toggle();
    else
      option_->click();
  }
  HBRUSH OnCtlColor(HDC dc) override { return PaintColours(dc); }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    // The focus that an arrow key brings selects an option, as a click would. A click holds the
    // mouse capture while it focuses the button, and its BN_CLICKED selects it instead;
    // selecting before the button sees the focus keeps a system that reports keyboard focus as
    // BN_CLICKED from selecting it twice.
    if (message == WM_SETFOCUS && option_ && !option_->value() && GetCapture() != hwnd)
      option_->click();
    return ControlPeer::OnMessage(message, wParam, lParam, result);
  }

 private:
  // The model's state as BM_SETCHECK takes it.
  WPARAM State() const {
    if (box_) return static_cast<WPARAM>(box_->value());
    return option_->value() ? BST_CHECKED : BST_UNCHECKED;
  }

  // One of the two.
  toolkit::CheckBox* box_ = nullptr;
  toolkit::OptionButton* option_ = nullptr;
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::CheckBox& box) {
  return std::make_unique<TogglePeer>(backend, box);
}

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::OptionButton& option) {
  return std::make_unique<TogglePeer>(backend, option);
}

}  // namespace vfx::platform::win32
