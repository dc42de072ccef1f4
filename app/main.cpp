// vontrafx.exe: the splash window, then (after its click) the main window, run until the main
// window is unloaded or the splash is closed without a click.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "assets/resource_ids.h"
#include "platform/win32/backend.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/desktop.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/event_pump.h"
#include "platform/win32/report.h"
#include "platform/win32/settings_file.h"
#include "ui/splash.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace vfx;
  SetProcessDPIAware();
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  VFX_FAULT_IF_FALSE(InitCommonControlsEx(&controls));

  platform::win32::Win32EventPump events;
  platform::win32::Win32Desktop desktop;
  platform::win32::Win32Dialogs dialogs(&events);
  platform::win32::Win32Fonts fonts;
  platform::win32::Win32Backend backend(
      events, {{ui::kAppIcon, assets::kAppIcon}, {ui::kImage1Picture, assets::kImage1Icon}},
      {{ui::kSplashPicture, assets::kSplashBitmap}});

  platform::win32::Win32SettingsFile settingsFile(platform::win32::SettingsFilePath());
  platform::win32::Win32Clipboard clipboard;
  ui::Form1 splash({{desktop, events}, dialogs, fonts, settingsFile, clipboard}, backend);
  splash.Show();
  // The first sound opens the sound device, which costs tens of milliseconds (more under Wine);
  // opened now, while the splash waits for its click, the click's sound starts at once.
  waveOutGetNumDevs();
  events.Run();
  return 0;
}
