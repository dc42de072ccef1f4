// The toolkit's native side on Win32: creates a real window for the form and a real control for
// each control, and keeps what they share (the screen's DPI, fonts, brushes, icons).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "platform/win32/event_pump.h"
#include "platform/win32/handles.h"
#include "toolkit/colour.h"
#include "toolkit/font.h"
#include "toolkit/geometry.h"
#include "toolkit/peer.h"

namespace vfx::platform::win32 {

class Win32Backend final : public toolkit::Backend {
 public:
  // Pictures by the names the model uses, as icon (or bitmap) resource IDs of the program.
  using Pictures = std::map<std::string, int>;

  Win32Backend(Win32EventPump& events, Pictures pictures, Pictures bitmaps = {});

  std::unique_ptr<toolkit::FormPeer> CreateFormPeer(toolkit::Form& form) override;
  std::unique_ptr<toolkit::Peer> CreatePeer(toolkit::Control& control) override;
  // TrackPopupMenuEx over the form's window (menu_peer.cpp).
  const toolkit::MenuItem* TrackMenu(toolkit::Form& form, const toolkit::Control* over,
                                     const toolkit::Menu& menu,
                                     const toolkit::MenuPlace& where) override;

  Win32EventPump& events() { return events_; }

  // Twips to pixels at the screen's DPI, and back.
  int PixelsX(double twips) const;
  int PixelsY(double twips) const;
  double TwipsX(int pixels) const { return pixels * 1440.0 / dpiX_; }
  double TwipsY(int pixels) const { return pixels * 1440.0 / dpiY_; }
  // A control's place in pixels; the edges are rounded, so neighbours that touch in twips
  // touch on the screen.
  RECT PixelRect(const toolkit::Bounds& bounds) const;

  // Within a handler that changes many controls in a row (the Randomize walk), the window is
  // brought up to date about sixty times a second rather than at every step; the rest is
  // painted when the handler returns to the message loop.
  void PaceFrame(HWND window);

  HFONT FontFor(const toolkit::Font& font);
  static COLORREF ToColorRef(toolkit::Colour colour);
  // The icon named by the model, at the size asked for; the system's application icon when the
  // program has no such picture.
  HICON Icon(const std::string& picture, int width, int height);
  // The bitmap named by the model, or null when the picture is not one of the bitmaps.
  HBITMAP Bitmap(const std::string& picture);

 private:
  using FontKey = std::tuple<std::string, double, bool, bool, bool, bool, bool>;

  bool DrawsGreyStrokes(const LOGFONTW& description);

  Win32EventPump& events_;
  Pictures pictures_, bitmapIds_;
  int dpiX_ = 96, dpiY_ = 96;
  double lastFrame_ = 0;
  std::map<FontKey, OwnedFont> fonts_;
  std::map<std::pair<std::wstring, LONG>, bool> greyFaces_;
  std::map<std::tuple<std::string, int, int>, OwnedIcon> icons_;
  std::map<std::string, OwnedBitmap> bitmaps_;
};

// A brush for one colour, remade when the colour changes.
class Brush {
 public:
  HBRUSH Get(toolkit::Colour colour);

 private:
  OwnedBrush brush_;
  toolkit::Colour colour_ = 0;
};

}  // namespace vfx::platform::win32
