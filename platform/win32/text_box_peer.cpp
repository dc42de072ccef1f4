// The text boxes: the edit box, and what it shares with the rich edit box.
#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/edit_peer.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {

using toolkit::Property;

HWND EditPeer::CreateBox(const wchar_t* className, std::optional<std::wstring> text) {
  // No ES_WANTRETURN: Enter goes to the default button, Ctrl+Enter makes a line break.
  const DWORD lines = text_.is_multi_line() ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
  return Create({.className = className,
                 .style = WS_TABSTOP | lines,
                 .exStyle = WS_EX_CLIENTEDGE,
                 .text = std::move(text)});
}

bool EditPeer::ShowModelText() {
  if (fromNative_) return false;
  fromModel_ = true;
  ControlPeer::Changed(Property::kCaption);
  fromModel_ = false;
  return true;
}

std::wstring EditPeer::BoxText() const {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, wide.data(), length + 1)));
  return wide;
}

void EditPeer::GiveModel(const std::string& text) {
  fromNative_ = true;
  text_.set_text(text);
  fromNative_ = false;
}

bool EditPeer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      result = CallDefault(message, wParam, lParam);
      text_.double_click();
      return true;
    case WM_SETTEXT:
      // A multi-line box tells nobody of a WM_SETTEXT (a single-line edit sends EN_CHANGE), so
      // text that another program or an accessibility tool sets would never reach the model and
      // the next Send would compose the old line.
      result = CallDefault(message, wParam, lParam);
      if (result && !fromModel_) TakeWindowText(true);
      return true;
    default:
      return ControlPeer::OnMessage(message, wParam, lParam, result);
  }
}

namespace {

class TextBoxPeer final : public EditPeer {
 public:
  TextBoxPeer(Win32Backend& backend, toolkit::TextBox& text) : EditPeer(backend, text) {
    CreateBox(L"EDIT");
    // The typed line has no length limit of its own; the edit box's default would cut a long
    // paste at 30,000 characters.
    SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
  }
  void Changed(Property property) override {
    // Its text is the user's; the name goes out through WM_GETOBJECT.
    if (property == Property::kAccessibleName) return;
    if (property == Property::kCaption)
      ShowModelText();
    else
      ControlPeer::Changed(property);
  }
  void OnCommand(int code) override {
    if (code == EN_CHANGE) TakeWindowText(false);
  }
  HBRUSH OnCtlColor(HDC dc) override { return PaintColours(dc); }

 private:
  void TakeWindowText(bool /*replacedWhole*/) override { GiveModel(Narrow(BoxText())); }
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::TextBox& text) {
  return std::make_unique<TextBoxPeer>(backend, text);
}

}  // namespace vfx::platform::win32
