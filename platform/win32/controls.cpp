// One peer per kind of control, each over a real Win32 control (or one of our small window
// classes where Win32 has none that fits).
#include <windows.h>

#include <algorithm>
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

// ---- what every control shares

HWND ControlPeer::ParentWindow() const {
  return reinterpret_cast<HWND>(control_.parent().container_handle());
}

DWORD ControlPeer::BaseStyle() const {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.starts_group()) style |= WS_GROUP;
  if (control_.is_visible()) style |= WS_VISIBLE;
  if (!control_.is_enabled()) style |= WS_DISABLED;
  return style;
}

std::wstring ControlPeer::WindowText() const { return Widen(control_.caption()); }

RECT ControlPeer::Place() const { return backend_.PixelRect(control_.bounds()); }

void ControlPeer::Finish() {
  if (hwnd)
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.FontFor(control_.font())),
                 FALSE);
}

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

namespace {

// ---- command button: owner-drawn when graphical, so that it shows its back colour

class ButtonPeer final : public ControlPeer {
 public:
  ButtonPeer(Win32Backend& backend, toolkit::CommandButton& button)
      : ControlPeer(backend, button), button_(button) {
    DWORD style = BaseStyle() | WS_TABSTOP;
    style |= graphical() ? BS_OWNERDRAW : (is_default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    CreateControl(L"BUTTON", WindowText(), style, 0, Place(), ParentWindow(), button.id());
    Finish();
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

 protected:
  std::wstring WindowText() const override {
    return graphical() && button_.has_given_name() ? Widen(button_.accessible_name())
                                                   : Widen(button_.caption());
  }

 public:
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
    HGDIOBJ previous = SelectObject(dc, backend_.FontFor(button_.font()));
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
    SelectObject(dc, previous);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
      RECT focus = face;
      InflateRect(&focus, -3, -3);
      DrawFocusRect(dc, &focus);
    }
    return true;
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
    HBRUSH fill = CreateSolidBrush(colour);
    HPEN edge = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, fill), oldPen = SelectObject(dc, edge);
    Polygon(dc, corners, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(fill);
    DeleteObject(edge);
  }

  bool graphical() const { return button_.style() == toolkit::CommandButton::Style::kGraphical; }
  bool is_default() const { return button_.form().default_button() == &button_; }

  toolkit::CommandButton& button_;
};

// ---- check box and option button: real buttons, checked by the model

class CheckBoxPeer final : public ControlPeer {
 public:
  CheckBoxPeer(Win32Backend& backend, toolkit::CheckBox& box)
      : ControlPeer(backend, box), box_(box) {
    CreateControl(L"BUTTON", Widen(box.caption()), BaseStyle() | WS_TABSTOP | BS_CHECKBOX, 0,
                  Place(), ParentWindow(), box.id());
    Finish();
    Changed(Property::kValue);
  }
  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (hwnd && property == Property::kValue) SendMessageW(hwnd, BM_SETCHECK, box_.value(), 0);
  }
  void OnCommand(int code) override {
    if (code == BN_CLICKED) box_.toggle();
  }
  HBRUSH OnCtlColor(HDC dc) override { return PaintColours(dc); }

 private:
  toolkit::CheckBox& box_;
};

class OptionButtonPeer final : public ControlPeer {
 public:
  OptionButtonPeer(Win32Backend& backend, toolkit::OptionButton& option)
      : ControlPeer(backend, option), option_(option) {
    CreateControl(L"BUTTON", Widen(option.caption()), BaseStyle() | BS_RADIOBUTTON, 0, Place(),
                  ParentWindow(), option.id());
    Finish();
    Changed(Property::kValue);
  }
  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (!hwnd || property != Property::kValue) return;
    SendMessageW(hwnd, BM_SETCHECK, option_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab enters a group of options at the selected one; the arrow keys move within it.
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    SetWindowLongW(hwnd, GWL_STYLE, option_.value() ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  void OnCommand(int code) override {
    if (code == BN_CLICKED) option_.click();
  }
  HBRUSH OnCtlColor(HDC dc) override { return PaintColours(dc); }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    // The focus that an arrow key brings selects the option, as a click would. A click holds
    // the mouse capture while it focuses the button, and its BN_CLICKED selects it instead;
    // selecting before the button sees the focus keeps a system that reports keyboard focus as
    // BN_CLICKED from selecting it twice.
    if (message == WM_SETFOCUS && !option_.value() && GetCapture() != hwnd) option_.click();
    return ControlPeer::OnMessage(message, wParam, lParam, result);
  }

 private:
  toolkit::OptionButton& option_;
};

// ---- horizontal scroll bar: a scroll position set by code sends no WM_HSCROLL, so the model's
// own change handling is the only one

class HScrollBarPeer final : public ControlPeer {
 public:
  HScrollBarPeer(Win32Backend& backend, toolkit::HScrollBar& bar)
      : ControlPeer(backend, bar), bar_(bar) {
    CreateControl(L"SCROLLBAR", WindowText(), BaseStyle() | WS_TABSTOP | SBS_HORZ, 0, Place(),
                  ParentWindow(), bar.id());
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
        GetScrollInfo(hwnd, SB_CTL, &info);
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

// ---- label

class LabelPeer final : public ControlPeer {
 public:
  LabelPeer(Win32Backend& backend, toolkit::Label& label) : ControlPeer(backend, label) {
    CreateControl(L"STATIC", Widen(label.caption()), BaseStyle() | SS_LEFT, 0, Place(),
                  ParentWindow(), label.id());
    Finish();
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

// ---- swatch: a window that is its back colour

constexpr wchar_t kSwatchClass[] = L"VontraFX.Swatch";

class SwatchPeer final : public ControlPeer {
 public:
  SwatchPeer(Win32Backend& backend, toolkit::PictureBox& picture) : ControlPeer(backend, picture) {
    RegisterCustomClass(kSwatchClass, 0, nullptr);
    CreateCustom(kSwatchClass, WindowText(), BaseStyle(), 0, Place(), ParentWindow(), picture.id());
  }
  std::wstring WindowText() const override { return Widen(control_.accessible_name()); }
  void Changed(Property property) override {
    if (hwnd && property == Property::kColours) {
      Repaint();
      return;
    }
    ControlPeer::Changed(property);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(hwnd, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush_.Get(control_.back_colour()));
        result = 1;
        return true;
      }
      case WM_PAINT: {
        ControlPeer::OnMessage(message, wParam, lParam, result);
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        result = 0;
        return true;
      }
      default:
        return ControlPeer::OnMessage(message, wParam, lParam, result);
    }
  }
};

// ---- text box

class TextBoxPeer final : public ControlPeer {
 public:
  TextBoxPeer(Win32Backend& backend, toolkit::TextBox& text)
      : ControlPeer(backend, text), text_(text) {
    DWORD style = BaseStyle() | WS_TABSTOP;
    // No ES_WANTRETURN: Enter goes to the default button, Ctrl+Enter makes a line break.
    style |= text.is_multi_line() ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
    CreateControl(L"EDIT", Widen(text.text()), style, WS_EX_CLIENTEDGE, Place(), ParentWindow(),
                  text.id());
    // The typed line has no length limit of its own; the edit box's default would cut a long
    // paste at 30,000 characters.
    SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
    Finish();
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

// ---- frame: a real container, so that it parents and clips its controls

constexpr wchar_t kFrameClass[] = L"VontraFX.Frame";

class FramePeer final : public ControlPeer {
 public:
  FramePeer(Win32Backend& backend, toolkit::Frame& frame) : ControlPeer(backend, frame) {
    RegisterCustomClass(kFrameClass, 0, nullptr);
    CreateCustom(kFrameClass, Widen(frame.caption()), BaseStyle() | WS_CLIPCHILDREN,
                 WS_EX_CONTROLPARENT, Place(), ParentWindow(), frame.id());
  }
  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (hwnd && (property == Property::kCaption || property == Property::kFont))
      InvalidateRect(hwnd, nullptr, TRUE);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (Reflect(hwnd, message, wParam, lParam, result)) return true;
    switch (message) {
      case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(hwnd, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush_.Get(control_.back_colour()));
        result = 1;
        return true;
      }
      case WM_PAINT:
        Paint();
        result = 0;
        return true;
      default:
        return ControlPeer::OnMessage(message, wParam, lParam, result);
    }
  }

 private:
  // A group box's etched border with the caption set into its top edge.
  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    HGDIOBJ previous = SelectObject(dc, backend_.FontFor(control_.font()));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT area;
    GetClientRect(hwnd, &area);
    RECT border = area;
    border.top += metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = Widen(control_.caption());
    if (!caption.empty()) {
      RECT text{metrics.tmAveCharWidth, 0, area.right, metrics.tmHeight};
      DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
      InflateRect(&text, 2, 0);
      FillRect(dc, &text, brush_.Get(control_.back_colour()));
      InflateRect(&text, -2, 0);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, Win32Backend::ToColorRef(control_.fore_colour()));
      DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
    }
    SelectObject(dc, previous);
    EndPaint(hwnd, &paint);
  }
};

// ---- image: an icon or a bitmap stretched to the control, clickable

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& area) {
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, bitmap);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, 0, 0, area.right, area.bottom, source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

constexpr wchar_t kImageClass[] = L"VontraFX.Image";

class ImagePeer final : public ControlPeer {
 public:
  ImagePeer(Win32Backend& backend, toolkit::Image& image)
      : ControlPeer(backend, image), image_(image) {
    RegisterCustomClass(kImageClass, 0, nullptr);
    CreateCustom(kImageClass, WindowText(), BaseStyle(), 0, Place(), ParentWindow(), image.id());
  }
  std::wstring WindowText() const override { return Widen(control_.accessible_name()); }
  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (hwnd && property == Property::kPicture) InvalidateRect(hwnd, nullptr, TRUE);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_ERASEBKGND:
        result = 1;
        return true;
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT area;
        GetClientRect(hwnd, &area);
        FillRect(dc, &area, brush_.Get(control_.back_colour()));
        if (HBITMAP bitmap =
                image_.picture().empty() ? nullptr : backend_.Bitmap(image_.picture())) {
          DrawBitmap(dc, bitmap, area);
        } else if (!image_.picture().empty()) {
          // The icon image nearest the control's size, then stretched to it.
          const int side = std::max(area.right, area.bottom) > 24 ? 32 : 16;
          HICON icon = backend_.Icon(image_.picture(), side, side);
          if (icon) DrawIconEx(dc, 0, 0, icon, area.right, area.bottom, 0, nullptr, DI_NORMAL);
        }
        EndPaint(hwnd, &paint);
        result = 0;
        return true;
      }
      case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        result = 0;
        return true;
      case WM_LBUTTONUP: {
        const bool captured = GetCapture() == hwnd;
        if (captured) ReleaseCapture();
        RECT area;
        GetClientRect(hwnd, &area);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (captured && PtInRect(&area, at)) image_.click();
        result = 0;
        return true;
      }
      default:
        return ControlPeer::OnMessage(message, wParam, lParam, result);
    }
  }

 private:
  toolkit::Image& image_;
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreateControlPeer(Win32Backend& backend, toolkit::Control& control) {
  using Kind = toolkit::Control::Kind;
  switch (control.kind()) {
    case Kind::kCommandButton:
      return std::make_unique<ButtonPeer>(backend, static_cast<toolkit::CommandButton&>(control));
    case Kind::kCheckBox:
      return std::make_unique<CheckBoxPeer>(backend, static_cast<toolkit::CheckBox&>(control));
    case Kind::kOptionButton:
      return std::make_unique<OptionButtonPeer>(backend,
                                                static_cast<toolkit::OptionButton&>(control));
    case Kind::kHScrollBar:
      return std::make_unique<HScrollBarPeer>(backend, static_cast<toolkit::HScrollBar&>(control));
    case Kind::kLabel:
      return std::make_unique<LabelPeer>(backend, static_cast<toolkit::Label&>(control));
    case Kind::kPictureBox:
      return std::make_unique<SwatchPeer>(backend, static_cast<toolkit::PictureBox&>(control));
    case Kind::kTextBox: {
      auto& text = static_cast<toolkit::TextBox&>(control);
      // A box that draws its characters' looks needs a rich edit; without one it stays plain.
      if (text.has_look_source())
        if (auto rich = CreateRichTextPeer(backend, text)) return rich;
      return std::make_unique<TextBoxPeer>(backend, text);
    }
    case Kind::kFrame:
      return std::make_unique<FramePeer>(backend, static_cast<toolkit::Frame&>(control));
    case Kind::kImage:
      return std::make_unique<ImagePeer>(backend, static_cast<toolkit::Image&>(control));
  }
  return nullptr;
}

}  // namespace vfx::platform::win32
