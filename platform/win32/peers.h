// The peers behind the toolkit's form and controls (internal to platform/win32).
#pragma once

#include <memory>
#include <string>

#include "platform/win32/backend.h"
#include "platform/win32/wnd.h"
#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/peer.h"
#include "toolkit/text_box.h"

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

 protected:
  // The window text, which outside tools read as the control's name: the caption, unless the
  // control paints something else (a symbol) or no text at all.
  virtual std::wstring WindowText() const;
  HWND ParentWindow() const;
  // WS_CHILD with the visible and disabled states of the model, and WS_GROUP where a group of
  // the tab order starts.
  DWORD BaseStyle() const;
  RECT Place() const;
  // Applies the font and everything not given at creation.
  void Finish();
  // Text and back colours into the DC, and the back brush.
  HBRUSH PaintColours(HDC dc);
  bool FormIsShowing() const;
  // Marks the control for repainting, once until it has painted, and lets the backend pace
  // the painting.
  void Repaint();

  Win32Backend& backend_;
  toolkit::Control& control_;
  Brush brush_;
  bool awaitingPaint_ = false;
};

std::unique_ptr<toolkit::Peer> CreateControlPeer(Win32Backend& backend, toolkit::Control& control);
// A rich edit for a text box that draws its characters' looks; null when the system has none.
std::unique_ptr<toolkit::Peer> CreateRichTextPeer(Win32Backend& backend, toolkit::TextBox& text);
std::unique_ptr<toolkit::FormPeer> CreateFormWindow(Win32Backend& backend, toolkit::Form& form);

}  // namespace vfx::platform::win32
