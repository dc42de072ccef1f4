#include "platform/win32/system_menu.h"

#include <cassert>
#include <string>

#include "platform/win32/report.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {

void SystemMenuItems::Rebuild(HMENU systemMenu, toolkit::Menu& items) {
  for (UINT k = 0; k < added_; ++k)
    VFX_FAULT_IF_FALSE(DeleteMenu(systemMenu, kFirstCommand + kStep * k, MF_BYCOMMAND));
  added_ = 0;
  commands_.clear();
  menu_ = &items;
  if (menu_->empty()) return;
  VFX_FAULT_IF_FALSE(AppendMenuW(systemMenu, MF_SEPARATOR, kFirstCommand, nullptr));
  ++added_;
  for (const auto& item : menu_->items()) {
    const UINT command = kFirstCommand + kStep * added_;
    if (item->is_separator()) {
      VFX_FAULT_IF_FALSE(AppendMenuW(systemMenu, MF_SEPARATOR, command, nullptr));
    } else {
      const UINT state = (item->is_enabled() ? MF_ENABLED : MF_GRAYED) |
                         (item->is_checked() ? MF_CHECKED : MF_UNCHECKED);
      VFX_FAULT_IF_FALSE(
          AppendMenuW(systemMenu, MF_STRING | state, command, Widen(item->caption()).c_str()));
    }
    commands_.push_back(item.get());
    ++added_;
  }
}

bool SystemMenuItems::Choose(UINT command) {
  command &= 0xFFF0;
  if (!menu_ || command <= kFirstCommand || command >= kFirstCommand + kStep * added_) return false;
  const toolkit::MenuItem* item = commands_[(command - kFirstCommand) / kStep - 1];
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
