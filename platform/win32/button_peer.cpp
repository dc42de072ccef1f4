// The command button: a push button, owner-drawn when graphical so that it shows its back colour.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/peers.h"
#include "platform/win32/text.h"
#include "toolkit/command_button.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::Property;

class ButtonPeer final : public ControlPeer {
 public:
  ButtonPeer(Win32Backend& backend, toolkit::CommandButton& button)
      : ControlPeer(backend, button), button_(button) {
    const DWORD kind =
        graphical() ? BS_OWNERDRAW : (is_default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    Create({.className = L"BUTTON", .style = WS_TABSTOP | kind});
  }

  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (!hwnd) return;
    // An owner-drawn face paints the caption, which the window text no longer shows when the
    // button has a name of its own.
    if (graphical() && (property == Property::kCaption || property == Property::kPicture))
      InvalidateRect(hwnd, nullptr, TRUE);
    if (property != Property::kDefaultButton) return;
    if (graphical())
      InvalidateRect(hwnd, nullptr, TRUE);
    else
      SendMessageW(hwnd, BM_SETSTYLE, is_default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }

  void OnCommand(int code) override {
    if (code == BN_CLICKED) button_.click();
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_GETDLGCODE && graphical()) {
      // An owner-drawn button is still a push button to the dialog manager.
      result = DLGC_BUTTON | (is_default() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return true;
    }
    if (message == BM_SETSTYLE && graphical()) {
      // The dialog manager moves the default frame with the focus by restyling push buttons,
      // which would replace BS_OWNERDRAW. The face draws the frame from the model instead.
      result = 0;
      return true;
    }
    return ControlPeer::OnMessage(message, wParam, lParam, result);
  }

  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;

    FillRect(dc, &face, brush_.Get(button_.back_colour()));
    if (is_default()) {
      FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&face, -1, -1);
    }
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    RECT text = face;
    if (pressed) OffsetRect(&text, 1, 1);
    {
      const Selected font(dc, backend_.FontFor(button_.font()));
      SetBkMode(dc, TRANSPARENT);
      const std::wstring caption = Widen(button_.caption());
      const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
      auto draw = [&](COLORREF colour) {
        if (button_.arrowhead() == toolkit::CommandButton::Arrowhead::kNone) {
          SetTextColor(dc, colour);
          DrawTextW(dc, caption.c_str(), -1, &text, format);
        } else {
          DrawArrowhead(dc, text, colour);
        }
      };
      if (disabled) {
        // The engraved look of a disabled classic button.
        OffsetRect(&text, 1, 1);
        draw(GetSysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&text, -1, -1);
        draw(GetSysColor(COLOR_GRAYTEXT));
      } else {
        draw(Win32Backend::ToColorRef(button_.fore_colour()));
      }
    }

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
      RECT focus = face;
      InflateRect(&focus, -3, -3);
      DrawFocusRect(dc, &focus);
    }
    return true;
  }

 protected:
  std::wstring WindowText() const override {
    return graphical() && button_.has_given_name() ? Widen(button_.accessible_name())
                                                   : Widen(button_.caption());
  }

 private:
  // A filled triangle about half the face's height, centred, pointing the button's way.
  void DrawArrowhead(HDC dc, const RECT& area, COLORREF colour) {
    using Arrowhead = toolkit::CommandButton::Arrowhead;
    const LONG cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
    const LONG half =
        std::max<LONG>(2, std::min(area.right - area.left, area.bottom - area.top) / 2 - 2);
    POINT corners[3];
    switch (button_.arrowhead()) {
      case Arrowhead::kUp:
        corners[0] = {cx, cy - half / 2 - 1};
        corners[1] = {cx - half, cy + half / 2 + 1};
        corners[2] = {cx + half, cy + half / 2 + 1};
        break;
      case Arrowhead::kDown:
        corners[0] = {cx - half, cy - half / 2};
        corners[1] = {cx + half, cy - half / 2};
        corners[2] = {cx, cy + half / 2 + 1};
        break;
      case Arrowhead::kLeft:
        corners[0] = {cx - half / 2 - 1, cy};
        corners[1] = {cx + half / 2 + 1, cy - half};
        corners[2] = {cx + half / 2 + 1, cy + half};
        break;
      case Arrowhead::kRight:
      case Arrowhead::kNone:
        corners[0] = {cx - half / 2, cy - half};
        corners[1] = {cx + half / 2 + 1, cy};
        corners[2] = {cx - half / 2, cy + half};
        break;
    }
    const OwnedBrush fill = MakeBrush(colour);
    const OwnedPen edge = MakePen(colour);
    const Selected brush(dc, fill.get()), pen(dc, edge.get());
    Polygon(dc, corners, 3);
  }

  bool graphical() const { return button_.style() == toolkit::CommandButton::Style::kGraphical; }
  bool is_default() const { return button_.form().default_button() == &button_; }

  toolkit::CommandButton& button_;
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend,
                                             toolkit::CommandButton& button) {
  return std::make_unique<ButtonPeer>(backend, button);
}

}  // namespace vfx::platform::win32
