#include "platform/win32/backend.h"

#include <cmath>

#include "platform/win32/peers.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {

Win32Backend::Win32Backend(Win32EventPump& events, Pictures pictures, Pictures bitmaps)
    : events_(events), pictures_(std::move(pictures)), bitmapIds_(std::move(bitmaps)) {
  HDC screen = GetDC(nullptr);
  dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
  dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpiX_ <= 0) dpiX_ = 96;
  if (dpiY_ <= 0) dpiY_ = 96;
}

Win32Backend::~Win32Backend() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, icon] : icons_) DestroyIcon(icon);
  for (auto& [key, bitmap] : bitmaps_)
    if (bitmap) DeleteObject(bitmap);
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

HFONT Win32Backend::FontFor(const toolkit::Font& font) {
  const FontKey key{font.face,      font.points,        font.bold,  font.italic,
                    font.underline, font.strikethrough, font.symbol};
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  LOGFONTW description{};
  description.lfHeight = -static_cast<LONG>(std::lround(font.points * dpiY_ / 72.0));
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
  HFONT created = CreateFontIndirectW(&description);
  fonts_[key] = created;
  return created;
}

COLORREF Win32Backend::ToColorRef(toolkit::Colour colour) {
  if (toolkit::IsSystemColour(colour)) return GetSysColor(toolkit::SystemColourIndex(colour));
  return static_cast<COLORREF>(colour & 0x00FFFFFF);
}

HICON Win32Backend::Icon(const std::string& picture, int width, int height) {
  const auto key = std::make_tuple(picture, width, height);
  if (auto found = icons_.find(key); found != icons_.end()) return found->second;
  HICON icon = nullptr;
  if (auto id = pictures_.find(picture); id != pictures_.end())
    icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id->second),
                                         IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
  if (!icon)
    icon =
        static_cast<HICON>(CopyImage(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)),
                                     IMAGE_ICON, width, height, 0));
  icons_[key] = icon;
  return icon;
}

HBITMAP Win32Backend::Bitmap(const std::string& picture) {
  if (auto found = bitmaps_.find(picture); found != bitmaps_.end()) return found->second;
  HBITMAP bitmap = nullptr;
  if (auto id = bitmapIds_.find(picture); id != bitmapIds_.end())
    bitmap =
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id->second),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  bitmaps_[picture] = bitmap;
  return bitmap;
}

Brush::~Brush() {
  if (brush_) DeleteObject(brush_);
}

HBRUSH Brush::Get(toolkit::Colour colour) {
  if (toolkit::IsSystemColour(colour)) return GetSysColorBrush(toolkit::SystemColourIndex(colour));
  if (!brush_ || colour != colour_) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(Win32Backend::ToColorRef(colour));
    colour_ = colour;
  }
  return brush_;
}

}  // namespace vfx::platform::win32
