#include "platform/win32/system_menu.h"

#include <cassert>

#include "platform/win32/report.h"

namespace vfx::platform::win32 {

void SystemMenuItems::Rebuild(HMENU systemMenu, toolkit::Menu& items) {
  // Ours are the last items of the window's own copy of the system menu, which it keeps.
  for (; added_ > 0; --added_)
    VFX_FAULT_IF_FALSE(DeleteMenu(systemMenu, GetMenuItemCount(systemMenu) - 1, MF_BYPOSITION));
  menu_ = &items;
  commands_ = MenuCommands(kFirstCommand, kStep);
  if (items.empty()) return;
  assert(items.items().size() < (0xF000 - kFirstCommand) / kStep && "0xF000 up is the system's");
  for ([[maybe_unused]] const auto& item : items.items())
    assert(!item->submenu() && "the system menu takes no submenus");
  const int before = GetMenuItemCount(systemMenu);
  VFX_FAULT_IF_FALSE(AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr));
  AppendMenuItems(systemMenu, items, commands_);
  added_ = GetMenuItemCount(systemMenu) - before;
}

bool SystemMenuItems::Choose(UINT command) {
  const toolkit::MenuItem* item = commands_.ItemFor(command & 0xFFF0);
  if (!menu_ || !item) return false;
  menu_->choose(*item);
  return true;
}

bool RegisterWindowHotKey(HWND window, int id, const HotKey& key) {
  assert(!key.empty() && "a hot key without its key");
  UINT modifiers = MOD_NOREPEAT;
  if (key.control) modifiers |= MOD_CONTROL;
  if (key.shift) modifiers |= MOD_SHIFT;
  if (key.alt) modifiers |= MOD_ALT;
  if (key.windows) modifiers |= MOD_WIN;
  // Another program may hold the key already: the caller tells the user.
  return VFX_REPORT_IF_FALSE(::RegisterHotKey(window, id, modifiers, key.key)) != 0;
}

}  // namespace vfx::platform::win32
