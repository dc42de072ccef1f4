// The text box: an edit box.
#include <windows.h>

#include <string>

#include "platform/win32/peers.h"
#include "platform/win32/text.h"
#include "toolkit/text_box.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::Property;

class TextBoxPeer final : public ControlPeer {
 public:
  TextBoxPeer(Win32Backend& backend, toolkit::TextBox& text)
      : ControlPeer(backend, text), text_(text) {
    // No ES_WANTRETURN: Enter goes to the default button, Ctrl+Enter makes a line break.
    const DWORD lines = text.is_multi_line() ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
    Create({.className = L"EDIT", .style = WS_TABSTOP | lines, .exStyle = WS_EX_CLIENTEDGE});
    // The typed line has no length limit of its own; the edit box's default would cut a long
    // paste at 30,000 characters.
    SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
  }
  void Changed(Property property) override {
    // Its text is the user's; the name goes out through WM_GETOBJECT.
    if (property == Property::kAccessibleName) return;
    if (property != Property::kCaption) return ControlPeer::Changed(property);
    if (fromNative_) return;  // it holds that text already
    fromModel_ = true;
    ControlPeer::Changed(property);
    fromModel_ = false;
  }
  void OnCommand(int code) override {
    if (code == EN_CHANGE) TakeWindowText();
  }
  HBRUSH OnCtlColor(HDC dc) override { return PaintColours(dc); }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_LBUTTONDBLCLK:
        result = CallDefault(message, wParam, lParam);
        text_.double_click();
        return true;
      case WM_SETTEXT:
        // A multi-line edit box tells nobody of a WM_SETTEXT (a single-line one sends
        // EN_CHANGE), so text that another program or an accessibility tool sets would never
        // reach the model and the next Send would compose the old line.
        result = CallDefault(message, wParam, lParam);
        if (result && !fromModel_) TakeWindowText();
        return true;
      default:
        return ControlPeer::OnMessage(message, wParam, lParam, result);
    }
  }

 private:
  void TakeWindowText() {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, wide.data(), length + 1)));
    fromNative_ = true;
    text_.set_text(Narrow(wide));
    fromNative_ = false;
  }

  toolkit::TextBox& text_;
  bool fromNative_ = false, fromModel_ = false;
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::TextBox& text) {
  return std::make_unique<TextBoxPeer>(backend, text);
}

}  // namespace vfx::platform::win32
