// The frame: a real container, so that it parents and clips its controls, drawn as a group box.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/peers.h"
#include "platform/win32/report.h"
#include "platform/win32/text.h"
#include "toolkit/frame.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::Property;

class FramePeer final : public ControlPeer {
 public:
  FramePeer(Win32Backend& backend, toolkit::Frame& frame) : ControlPeer(backend, frame) {
    Create({.className = L"VontraFX.Frame",
            .style = WS_CLIPCHILDREN,
            .exStyle = WS_EX_CONTROLPARENT,
            .ownClass = true,
            .fillsBackground = true});
  }
  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (hwnd && (property == Property::kCaption || property == Property::kFont))
      InvalidateRect(hwnd, nullptr, TRUE);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (Reflect(hwnd, message, wParam, lParam, result)) return true;
    if (message != WM_PAINT) return ControlPeer::OnMessage(message, wParam, lParam, result);
    Paint();
    result = 0;
    return true;
  }

 private:
  // A group box's etched border with the caption set into its top edge.
  void Paint() {
    const PaintDc dc(hwnd);
    const Selected font(dc, backend_.FontFor(control_.font()));
    TEXTMETRICW metrics{};
    VFX_FAULT_IF_FALSE(GetTextMetricsW(dc, &metrics));
    RECT area;
    GetClientRect(hwnd, &area);
    RECT border = area;
    border.top += metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = Widen(control_.caption());
    if (caption.empty()) return;
    RECT text{metrics.tmAveCharWidth, 0, area.right, metrics.tmHeight};
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    InflateRect(&text, 2, 0);
    FillRect(dc, &text, brush_.Get(control_.back_colour()));
    InflateRect(&text, -2, 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Win32Backend::ToColorRef(control_.fore_colour()));
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
  }
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::Frame& frame) {
  return std::make_unique<FramePeer>(backend, frame);
}

}  // namespace vfx::platform::win32
