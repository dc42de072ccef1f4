// The horizontal scroll bar. A scroll position set by code sends no WM_HSCROLL, so the model's own
// change handling is the only one.
#include <windows.h>

#include <string>

#include "platform/win32/peers.h"
#include "platform/win32/report.h"
#include "platform/win32/text.h"
#include "toolkit/h_scroll_bar.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::Property;

class HScrollBarPeer final : public ControlPeer {
 public:
  HScrollBarPeer(Win32Backend& backend, toolkit::HScrollBar& bar)
      : ControlPeer(backend, bar), bar_(bar) {
    Create({.className = L"SCROLLBAR", .style = WS_TABSTOP | SBS_HORZ});
    Changed(Property::kValue);
  }
  // A bar shows no text: its window text is its name.
  std::wstring WindowText() const override { return Widen(control_.accessible_name()); }
  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (!hwnd || property != Property::kValue) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = bar_.minimum();
    info.nMax = bar_.maximum();
    info.nPos = bar_.value();
    // Drawing a scroll bar at once costs milliseconds; the walk of Randomize moves thirty of
    // them through 7,620 steps.
    SetScrollInfo(hwnd, SB_CTL, &info, FALSE);
    Repaint();
  }
  void OnHScroll(int request) override {
    int value = bar_.value();
    switch (request) {
      case SB_LINELEFT:
        value -= bar_.small_change();
        break;
      case SB_LINERIGHT:
        value += bar_.small_change();
        break;
      case SB_PAGELEFT:
        value -= bar_.large_change();
        break;
      case SB_PAGERIGHT:
        value += bar_.large_change();
        break;
      case SB_LEFT:
        value = bar_.minimum();
        break;
      case SB_RIGHT:
        value = bar_.maximum();
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        VFX_FAULT_IF_FALSE(GetScrollInfo(hwnd, SB_CTL, &info));
        value = info.nTrackPos;
        break;
      }
      default:
        return;
    }
    bar_.set_value(value);
  }

 private:
  toolkit::HScrollBar& bar_;
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::HScrollBar& bar) {
  return std::make_unique<HScrollBarPeer>(backend, bar);
}

}  // namespace vfx::platform::win32
