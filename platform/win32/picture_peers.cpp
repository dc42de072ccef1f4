// The windows that show a picture: the swatch, which is its back colour, and the image, an icon or
// a bitmap stretched to the control and clickable.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/peers.h"
#include "platform/win32/report.h"
#include "platform/win32/text.h"
#include "toolkit/image.h"
#include "toolkit/picture_box.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::Property;

class SwatchPeer final : public ControlPeer {
 public:
  SwatchPeer(Win32Backend& backend, toolkit::PictureBox& picture) : ControlPeer(backend, picture) {
    Create({.className = L"VontraFX.Swatch", .ownClass = true, .fillsBackground = true});
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
    if (message != WM_PAINT) return ControlPeer::OnMessage(message, wParam, lParam, result);
    ControlPeer::OnMessage(message, wParam, lParam, result);
    const PaintDc paint(hwnd);
    result = 0;
    return true;
  }
};

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& area) {
  BITMAP size{};
  VFX_FAULT_IF_FALSE(GetObjectW(bitmap, sizeof size, &size));
  const MemoryDc source(dc);
  const Selected selected(source, bitmap);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, 0, 0, area.right, area.bottom, source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
}

class ImagePeer final : public ControlPeer {
 public:
  ImagePeer(Win32Backend& backend, toolkit::Image& image)
      : ControlPeer(backend, image), image_(image) {
    Create({.className = L"VontraFX.Image", .ownClass = true});
  }
  std::wstring WindowText() const override { return Widen(control_.accessible_name()); }
  void Changed(Property property) override {
    ControlPeer::Changed(property);
    if (hwnd && property == Property::kPicture) InvalidateRect(hwnd, nullptr, TRUE);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_ERASEBKGND:
        // The painting fills it all.
        result = 1;
        return true;
      case WM_PAINT:
        Paint();
        result = 0;
        return true;
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
  void Paint() {
    const PaintDc dc(hwnd);
    FillClient(dc, brush_.Get(control_.back_colour()));
    const std::string& picture = image_.picture();
    if (picture.empty()) return;
    RECT area;
    GetClientRect(hwnd, &area);
    if (HBITMAP bitmap = backend_.Bitmap(picture)) {
      DrawBitmap(dc, bitmap, area);
    } else {
      // The icon image nearest the control's size, then stretched to it.
      const int side = std::max(area.right, area.bottom) > 24 ? 32 : 16;
      HICON icon = backend_.Icon(picture, side, side);
      if (icon) DrawIconEx(dc, 0, 0, icon, area.right, area.bottom, 0, nullptr, DI_NORMAL);
    }
  }

  toolkit::Image& image_;
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::PictureBox& swatch) {
  return std::make_unique<SwatchPeer>(backend, swatch);
}

std::unique_ptr<toolkit::Peer> CreatePeerFor(Win32Backend& backend, toolkit::Image& image) {
  return std::make_unique<ImagePeer>(backend, image);
}

}  // namespace vfx::platform::win32
