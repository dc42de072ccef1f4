// What the form adds to its window's system menu, and the keys it registers for the whole
// desktop, over the window system's own: the form's system-menu items are built by the one menu
// builder each time the system menu opens and come back as WM_SYSCOMMAND, whose handler runs
// after the menu has closed; a key comes back as WM_HOTKEY.
#pragma once

#include <windows.h>

#include "platform/hot_key.h"
#include "platform/win32/menu_peer.h"
#include "toolkit/menu.h"

namespace vfx::platform::win32 {

class SystemMenuItems {
 public:
  // WM_INITMENUPOPUP for the window's system menu: the items of last time out, the model's in.
  void Rebuild(HMENU systemMenu, toolkit::Menu& items);
  // WM_SYSCOMMAND: true when the command was one of ours (its handler has run).
  bool Choose(UINT command);

 private:
  // System commands keep their low four bits for the system, and those from 0xF000 up are its own.
  static constexpr UINT kFirstCommand = 0x0110;
  static constexpr UINT kStep = 0x10;

  toolkit::Menu* menu_ = nullptr;
  MenuCommands commands_;
  int added_ = 0;  // items added at the end last time, the separator's included
};

// RegisterHotKey for the window, without repeats while the key is held (MOD_NOREPEAT).
bool RegisterWindowHotKey(HWND window, int id, const HotKey& key);

}  // namespace vfx::platform::win32
