// What every control's peer shares, and the choice of peer for each kind of control.
#include <windows.h>

#include <cassert>
#include <string>

#include "platform/win32/accessible.h"
#include "platform/win32/peers.h"
#include "platform/win32/text.h"
#include "toolkit/check_box.h"
#include "toolkit/command_button.h"
#include "toolkit/frame.h"
#include "toolkit/h_scroll_bar.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/option_button.h"
#include "toolkit/picture_box.h"
#include "toolkit/text_box.h"

namespace vfx::platform::win32 {

using toolkit::Property;

namespace {

// WS_CHILD with the visible and disabled states of the model, and WS_GROUP where a group of the
// tab order starts.
DWORD BaseStyle(const toolkit::Control& control) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (control.starts_group()) style |= WS_GROUP;
  if (control.is_visible()) style |= WS_VISIBLE;
  if (!control.is_enabled()) style |= WS_DISABLED;
  return style;
}

}  // namespace

HWND ControlPeer::Create(const PeerArgs& args) {
  if (args.ownClass) RegisterCustomClass(args.className, 0, nullptr);
  const std::wstring text = args.text ? *args.text : WindowText();
  const CreateArgs window{
      .className = args.className,
      .text = text,
      .style = BaseStyle(control_) | args.style,
      .exStyle = args.exStyle,
      .place = Place(),
      .parent = reinterpret_cast<HWND>(control_.parent().container_handle()),
      .id = control_.id(),
  };
  fillsBackground_ = args.fillsBackground;
  if (args.ownClass) return CreateCustom(window);
  if (CreateControl(window))
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.FontFor(control_.font())),
                 FALSE);
  return hwnd;
}

std::wstring ControlPeer::WindowText() const { return Widen(control_.caption()); }

RECT ControlPeer::Place() const { return backend_.PixelRect(control_.bounds()); }

bool ControlPeer::FormIsShowing() const {
  HWND top = GetAncestor(hwnd, GA_ROOT);
  return top && IsWindowVisible(top) && !IsIconic(top);
}

HBRUSH ControlPeer::PaintColours(HDC dc) {
  SetTextColor(dc, Win32Backend::ToColorRef(control_.fore_colour()));
  SetBkColor(dc, Win32Backend::ToColorRef(control_.back_colour()));
  return brush_.Get(control_.back_colour());
}

void ControlPeer::Changed(Property property) {
  if (!hwnd) return;
  switch (property) {
    case Property::kCaption:
    case Property::kAccessibleName:
      SetWindowTextW(hwnd, WindowText().c_str());
      break;
    case Property::kEnabled:
      EnableWindow(hwnd, control_.is_enabled());
      break;
    case Property::kVisible:
      ShowWindow(hwnd, control_.is_visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Property::kFont:
      SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.FontFor(control_.font())),
                   TRUE);
      break;
    case Property::kColours:
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Property::kBounds: {
      const RECT place = Place();
      MoveWindow(hwnd, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 TRUE);
      break;
    }
    case Property::kFocus:
      // A window that is not showing takes the focus when it is activated.
      if (FormIsShowing()) SetFocus(hwnd);
      break;
    case Property::kValue:
    case Property::kWindowState:
    case Property::kDefaultButton:
    case Property::kPicture:
    case Property::kLook:
      break;
  }
}

void ControlPeer::Repaint() {
  if (!hwnd) return;
  if (!awaitingPaint_) {
    awaitingPaint_ = true;
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  backend_.PaceFrame(hwnd);
}

bool ControlPeer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // Handled here, the message never reaches the control's own procedure, so a scroll bar's
  // built-in menu stays closed whenever the model has a menu of its own.
  if (message == WM_CONTEXTMENU) return OnContextMenu(wParam, lParam, result);
  if (message == WM_ERASEBKGND && fillsBackground_) {
    FillClient(reinterpret_cast<HDC>(wParam), brush_.Get(control_.back_colour()));
    result = 1;
    return true;
  }
  if (message == WM_SETFOCUS) control_.form().native_focus_changed(&control_);
  if (message == WM_PAINT) awaitingPaint_ = false;
  if (message == WM_GETOBJECT && control_.has_given_name()) {
    // Where the window text already is the name, the system's own object says it.
    const std::wstring name = Widen(control_.accessible_name());
    if (name != WindowText()) {
      result = AnswerGetObject(hwnd, wParam, lParam, name);
      return result != 0;
    }
  }
  return false;
}

std::unique_ptr<toolkit::Peer> CreateControlPeer(Win32Backend& backend, toolkit::Control& control) {
  using Kind = toolkit::Control::Kind;
  switch (control.kind()) {
    case Kind::kCommandButton:
      return CreatePeerFor(backend, static_cast<toolkit::CommandButton&>(control));
    case Kind::kCheckBox:
      return CreatePeerFor(backend, static_cast<toolkit::CheckBox&>(control));
    case Kind::kOptionButton:
      return CreatePeerFor(backend, static_cast<toolkit::OptionButton&>(control));
    case Kind::kHScrollBar:
      return CreatePeerFor(backend, static_cast<toolkit::HScrollBar&>(control));
    case Kind::kLabel:
      return CreatePeerFor(backend, static_cast<toolkit::Label&>(control));
    case Kind::kPictureBox:
      return CreatePeerFor(backend, static_cast<toolkit::PictureBox&>(control));
    case Kind::kTextBox: {
      auto& text = static_cast<toolkit::TextBox&>(control);
      // A box that draws its characters' looks needs a rich edit; without one it stays plain.
      if (text.has_look_source())
        if (auto rich = CreateRichTextPeer(backend, text)) return rich;
      return CreatePeerFor(backend, text);
    }
    case Kind::kFrame:
      return CreatePeerFor(backend, static_cast<toolkit::Frame&>(control));
    case Kind::kImage:
      return CreatePeerFor(backend, static_cast<toolkit::Image&>(control));
  }
  assert(!"a kind of control without a peer");
  return nullptr;
}

}  // namespace vfx::platform::win32
