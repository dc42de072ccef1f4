// The main window on real Win32 controls, loaded and shown, for the Windows timing programs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/backend.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/desktop.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/event_pump.h"
#include "platform/win32/settings_file.h"
#include "ui/main_window.h"

namespace vfx::bench {

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct WindowRig {
  WindowRig() {
    window.form().realize(backend);
    window.Form_Load();
    window.form().show();
    events.ProcessPendingEvents();
  }
  ~WindowRig() { window.form().unload(); }

  // The window measured in real pixels, as a user's display shows it.
  bool dpiAware = SetProcessDPIAware();
  platform::win32::Win32EventPump events;
  platform::win32::Win32Desktop desktop;
  platform::win32::Win32Dialogs dialogs;
  platform::win32::Win32Fonts fonts;
  platform::win32::Win32Backend backend{events, {}};
  // No file: the timing programs never save.
  platform::win32::Win32SettingsFile settingsFile{std::wstring()};
  platform::win32::Win32Clipboard clipboard;
  ui::ZiruZezuzo window{{{desktop, events}, dialogs, fonts, settingsFile, clipboard}};
};

}  // namespace vfx::bench
