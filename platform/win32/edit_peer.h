// What the edit box and the rich edit box share: the model's text goes in without coming back
// out, and text that the box takes from outside (the user, another program, an accessibility
// tool) reaches the model, as does the double click.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/peers.h"
#include "toolkit/text_box.h"

namespace vfx::platform::win32 {

class EditPeer : public ControlPeer {
 public:
  EditPeer(Win32Backend& backend, toolkit::TextBox& text)
      : ControlPeer(backend, text), text_(text) {}

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  // The box, made with `text` where that is not the model's.
  HWND CreateBox(const wchar_t* className, std::optional<std::wstring> text = std::nullopt);
  // Shows the model's text; false when the box holds it already, having given it.
  bool ShowModelText();
  // The box's text as it holds it.
  std::wstring BoxText() const;
  // The model takes the box's text.
  void GiveModel(const std::string& text);
  // Reads the box's text into the model: after an edit, or after a new text replaced it whole.
  virtual void TakeWindowText(bool replacedWhole) = 0;

  toolkit::TextBox& text_;

 private:
  bool fromNative_ = false, fromModel_ = false;
};

}  // namespace vfx::platform::win32
