// The peers behind the toolkit's form and controls (internal to platform/win32).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/win32/backend.h"
#include "platform/win32/wnd.h"
#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/peer.h"
#include "toolkit/text_box.h"

namespace vfx::toolkit {
class CheckBox;
class CommandButton;
class Frame;
class HScrollBar;
class Image;
class Label;
class OptionButton;
class PictureBox;
}  // namespace vfx::toolkit

namespace vfx::platform::win32 {

// What every control's peer shares: place, font, colours, enabled and visible states, focus.
class ControlPeer : public Wnd, public toolkit::Peer {
 public:
  ControlPeer(Win32Backend& backend, toolkit::Control& control)
      : backend_(backend), control_(control) {}

  void Changed(toolkit::Property property) override;
  platform::WindowHandle native_handle() const override {
    return reinterpret_cast<platform::WindowHandle>(hwnd);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  toolkit::Control& control() const { return control_; }

 protected:
  // WM_CONTEXTMENU: to the model's handler, as RouteContextMenu says. False when none took it,
  // which leaves it to the native control's own menu, or to the parent.
  bool OnContextMenu(WPARAM wParam, LPARAM lParam, LRESULT& result);

  // What sets a peer's window apart; its place, parent, ID and font come from the model, and its
  // style adds to WS_CHILD with the model's visible and disabled states and WS_GROUP where a group
  // of the tab order starts.
  struct PeerArgs {
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    // The text it is made with, where that is not WindowText().
    std::optional<std::wstring> text = std::nullopt;
    // One of our window classes, registered on first use, rather than a standard control.
    bool ownClass = false;
    // The window is its back colour wherever it draws nothing else.
    bool fillsBackground = false;
  };
  HWND Create(const PeerArgs& args);

  // The window text, which outside tools read as the control's name: the caption, unless the
  // control paints something else (a symbol) or no text at all.
  virtual std::wstring WindowText() const;
  // Text and back colours into the DC, and the back brush.
  HBRUSH PaintColours(HDC dc);
  bool FormIsShowing() const;
  // Marks the control for repainting, once until it has painted, and lets the backend pace
  // the painting.
  void Repaint();

  Win32Backend& backend_;
  toolkit::Control& control_;
  Brush brush_;

 private:
  RECT Place() const;

  bool awaitingPaint_ = false;
  bool fillsBackground_ = false;
};

// Where WM_CONTEXTMENU gives it: the pointer's place, or from the keyboard (lParam -1).
toolkit::MenuPlace MenuPlaceOf(LPARAM lParam);

// A right-click that came to `receiver` itself, which is where it comes when the control under
// the pointer takes no mouse input (a label, a disabled control): the handler of the deepest of
// our controls under the point, disabled and transparent ones included, or else of the nearest
// control around it, up to `receiver`. True when one ran.
bool RouteContextMenu(HWND receiver, const toolkit::MenuPlace& where);
// The form window's WM_CONTEXTMENU: over the client area, the control under the pointer first,
// then the form's own handler; over the caption the system menu stays.
bool FormContextMenu(HWND window, toolkit::Form& form, WPARAM wParam, LPARAM lParam,
                     LRESULT& result);

std::unique_ptr<toolkit::Peer> CreateControlPeer(Win32Backend& backend, toolkit::Control& control);
// The peer of each kind of control.
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::CommandButton& button);
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::CheckBox& box);
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::OptionButton& option);
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::HScrollBar& bar);
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::Label& label);
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::PictureBox& swatch);
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::Image& image);
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::Frame& frame);
std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::TextBox& text);
// A rich edit for a text box that draws its characters' looks; null when the system has none.
std::unique_ptr<toolkit::Peer> CreateRichTextPeer(Win32Backend& backend, toolkit::TextBox& text);
std::unique_ptr<toolkit::FormPeer> CreateFormWindow(Win32Backend& backend, toolkit::Form& form);

}  // namespace vfx::platform::win32
