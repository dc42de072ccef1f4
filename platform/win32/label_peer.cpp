// The label: a static control in its own colours.
#include <windows.h>

#include <string>

#include "platform/win32/peers.h"
#include "toolkit/label.h"

namespace vfx::platform::win32 {
namespace {

class LabelPeer final : public ControlPeer {
 public:
  LabelPeer(Win32Backend& backend, toolkit::Label& label) : ControlPeer(backend, label) {
    Create({.className = L"STATIC", .style = SS_LEFT});
  }
  HBRUSH OnCtlColor(HDC dc) override { return PaintColours(dc); }
  // The static control paints its text the moment it is set. Here the newest text waits until
  // the control paints or someone reads it, so that the walk of Randomize is paced like the
  // other controls.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        pending_ = text ? text : L"";
        hasPending_ = true;
        Repaint();
        result = TRUE;
        return true;
      }
      case WM_PAINT:
      case WM_GETTEXT:
      case WM_GETTEXTLENGTH:
        if (hasPending_) {
          hasPending_ = false;
          // The static control keeps no text of its own: DefWindowProc holds it, without the
          // immediate paint.
          DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pending_.c_str()));
        }
        break;
      default:
        break;
    }
    return ControlPeer::OnMessage(message, wParam, lParam, result);
  }

 private:
  std::wstring pending_;
  bool hasPending_ = false;
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::Label& label) {
  return std::make_unique<LabelPeer>(backend, label);
}

}  // namespace vfx::platform::win32
