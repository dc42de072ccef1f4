// What the form adds to its window's system menu, and the keys it registers for the whole
// desktop, over the window system's own: the form's system-menu items are built each time the
// system menu opens and come back as WM_SYSCOMMAND, whose handler runs after the menu
// has closed; a hot key comes back as WM_HOTKEY.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/hot_key.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"

namespace vfx::platform::win32 {

class SystemMenuItems {
 public:
  // WM_INITMENUPOPUP for the window's system menu: the items of last time out, the model's in.
  void Rebuild(HMENU systemMenu, toolkit::Menu& items);
  // WM_SYSCOMMAND: true when the command was one of ours (its handler has run).
  bool Choose(UINT command);

 private:
  static constexpr UINT kFirstCommand = 0x0100;  // system commands keep their low four bits
  static constexpr UINT kStep = 0x10;

  toolkit::Menu* menu_ = nullptr;
  std::vector<const toolkit::MenuItem*> commands_;
  UINT added_ = 0;  // commands handed out last time, the separator's included
};

// RegisterHotKey for the window, without repeats while the key is held (MOD_NOREPEAT).
bool RegisterWindowHotKey(HWND window, int id, const HotKey& key);

}  // namespace vfx::platform::win32
