// The numeric IDs of the resources built into vontrafx.exe. The resource compiler reads the
// macros; C++ code uses the constants, e.g. LoadIcon(instance, MAKEINTRESOURCE(kAppIcon)).
#pragma once

// The window icon: the lowest icon ID, so Windows Explorer shows it for the executable.
#define VFX_RES_APP_ICON 1
// The small picture in the instant-message frame (Image1 of the main window).
#define VFX_RES_IMAGE1_ICON 2
// The splash window's picture, 540 x 288 pixels, 24 bits.
#define VFX_RES_SPLASH_BITMAP 100

#ifndef RC_INVOKED
namespace vfx::assets {

inline constexpr int kAppIcon = VFX_RES_APP_ICON;
inline constexpr int kImage1Icon = VFX_RES_IMAGE1_ICON;
inline constexpr int kSplashBitmap = VFX_RES_SPLASH_BITMAP;

// Not a resource: the start-up sound stays a file, played from the current directory.
inline constexpr char kStartupSound[] = "vontrafx.wav";

}  // namespace vfx::assets
#endif
