#include "platform/win32/backend.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/win32/peers.h"
#include "platform/win32/report.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {

Win32Backend::Win32Backend(Win32EventPump& events, Pictures pictures, Pictures bitmaps)
    : events_(events), pictures_(std::move(pictures)), bitmapIds_(std::move(bitmaps)) {
  const WindowDc screen;
  dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
  dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
  if (dpiX_ <= 0) dpiX_ = 96;
  if (dpiY_ <= 0) dpiY_ = 96;
}

std::unique_ptr<toolkit::FormPeer> Win32Backend::CreateFormPeer(toolkit::Form& form) {
  return CreateFormWindow(*this, form);
}

std::unique_ptr<toolkit::Peer> Win32Backend::CreatePeer(toolkit::Control& control) {
  return CreateControlPeer(*this, control);
}

int Win32Backend::PixelsX(double twips) const {
  return static_cast<int>(std::lround(twips * dpiX_ / 1440.0));
}

int Win32Backend::PixelsY(double twips) const {
  return static_cast<int>(std::lround(twips * dpiY_ / 1440.0));
}

RECT Win32Backend::PixelRect(const toolkit::Bounds& bounds) const {
  return {PixelsX(bounds.left), PixelsY(bounds.top), PixelsX(bounds.left + bounds.width),
          PixelsY(bounds.top + bounds.height)};
}

void Win32Backend::PaceFrame(HWND window) {
  constexpr double kFrame = 1.0 / 60;
  const double now = events_.Now();
  if (now - lastFrame_ < kFrame) return;
  lastFrame_ = now;
  RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

namespace {

// The darkest level (of 64) in the stem of an "l": 64 where the face is hinted to whole pixels.
int StemLevel(HDC dc, HFONT font) {
  const Selected selected(dc, font);
  GLYPHMETRICS metrics{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  int darkest = 64;
  const DWORD size = GetGlyphOutlineW(dc, L'l', GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &identity);
  if (size != GDI_ERROR && size > 0) {
    std::vector<BYTE> levels(size);
    GetGlyphOutlineW(dc, L'l', GGO_GRAY8_BITMAP, &metrics, size, levels.data(), &identity);
    darkest = *std::max_element(levels.begin(), levels.end());
  }
  return darkest;
}

}  // namespace

HFONT Win32Backend::FontFor(const toolkit::Font& font) {
  const FontKey key{font.face,      font.points,        font.bold,  font.italic,
                    font.underline, font.strikethrough, font.symbol};
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second.get();
  LOGFONTW description{};
  const double pixels = font.points * dpiY_ / 72.0;
  description.lfHeight = -static_cast<LONG>(std::lround(pixels));
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikethrough;
  description.lfCharSet = font.symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Widen(font.face);
  lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
  if (!font.symbol && DrawsGreyStrokes(description)) {
    // A face that is not hinted to whole pixels (a stand-in for the one the design names, such
    // as Comic Neue for Comic Sans MS) puts a thin stroke half on one pixel and half on the
    // next at this size, and smoothing draws it grey: black captions look disabled. Drawn
    // unsmoothed at the next whole pixel size its strokes are black and its letters whole.
    description.lfHeight = -static_cast<LONG>(std::ceil(pixels));
    description.lfQuality = NONANTIALIASED_QUALITY;
  }
  return (fonts_[key] = MakeFont(description)).get();
}

bool Win32Backend::DrawsGreyStrokes(const LOGFONTW& description) {
  // Decided once for the face and size, on its regular style, so that its bold and italic
  // captions keep the same size and look.
  const std::pair<std::wstring, LONG> key{description.lfFaceName, description.lfHeight};
  if (auto found = greyFaces_.find(key); found != greyFaces_.end()) return found->second;
  LOGFONTW regular = description;
  regular.lfWeight = FW_NORMAL;
  regular.lfItalic = regular.lfUnderline = regular.lfStrikeOut = FALSE;
  const OwnedFont font = MakeFont(regular);
  // Three quarters of a pixel's ink at the darkest is a stroke that smoothing shows as grey.
  const bool grey = StemLevel(WindowDc(), font.get()) < 48;
  greyFaces_[key] = grey;
  return grey;
}

COLORREF Win32Backend::ToColorRef(toolkit::Colour colour) {
  if (toolkit::IsSystemColour(colour)) return GetSysColor(toolkit::SystemColourIndex(colour));
  return static_cast<COLORREF>(colour & 0x00FFFFFF);
}

HICON Win32Backend::Icon(const std::string& picture, int width, int height) {
  const auto key = std::make_tuple(picture, width, height);
  if (auto found = icons_.find(key); found != icons_.end()) return found->second.get();
  HICON icon = nullptr;
  // A picture the program names is one of its resources.
  if (auto id = pictures_.find(picture); id != pictures_.end())
    icon = static_cast<HICON>(
        VFX_FAULT_IF_FALSE(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id->second),
                                      IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
  if (!icon) {
    HICON standard =
        VFX_FAULT_IF_FALSE(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
    icon =
        static_cast<HICON>(VFX_FAULT_IF_FALSE(CopyImage(standard, IMAGE_ICON, width, height, 0)));
  }
  return (icons_[key] = OwnedIcon(icon)).get();
}

HBITMAP Win32Backend::Bitmap(const std::string& picture) {
  if (auto found = bitmaps_.find(picture); found != bitmaps_.end()) return found->second.get();
  HBITMAP bitmap = nullptr;
  if (auto id = bitmapIds_.find(picture); id != bitmapIds_.end()) {
    bitmap = static_cast<HBITMAP>(
        VFX_FAULT_IF_FALSE(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id->second),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  return (bitmaps_[picture] = OwnedBitmap(bitmap)).get();
}

HBRUSH Brush::Get(toolkit::Colour colour) {
  if (toolkit::IsSystemColour(colour))
    return VFX_FAULT_IF_FALSE(GetSysColorBrush(toolkit::SystemColourIndex(colour)));
  if (!brush_ || colour != colour_) {
    brush_ = MakeBrush(Win32Backend::ToColorRef(colour));
    colour_ = colour;
  }
  return brush_.get();
}

}  // namespace vfx::platform::win32
