#include "platform/win32/menu_peer.h"

#include <algorithm>
#include <string>

#include "platform/win32/backend.h"
#include "platform/win32/report.h"
#include "platform/win32/system_text.h"
#include "platform/win32/text.h"
#include "toolkit/control.h"
#include "toolkit/form.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::MenuItem;

POINT Clamp(POINT point, const RECT& area) {
  return {std::clamp(point.x, area.left, std::max(area.left, area.right - 1)),
          std::clamp(point.y, area.top, std::max(area.top, area.bottom - 1))};
}

}  // namespace

UINT MenuCommands::Add(const MenuItem& item) {
  items_.push_back(&item);
  return first_ + step_ * static_cast<UINT>(items_.size() - 1);
}

const MenuItem* MenuCommands::ItemFor(UINT command) const {
  if (command < first_ || (command - first_) % step_ != 0) return nullptr;
  const std::size_t k = (command - first_) / step_;
  return k < items_.size() ? items_[k] : nullptr;
}

void AppendMenuItems(HMENU target, const toolkit::Menu& menu, MenuCommands& commands) {
  for (const auto& item : menu.items()) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    std::wstring caption;
    OwnedMenu submenu;
    if (item->is_separator()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      caption = Widen(item->caption());
      info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_ID;
      info.fType = MFT_STRING | (item->kind() == MenuItem::Kind::kRadio ? MFT_RADIOCHECK : 0);
      info.fState = (item->is_enabled() ? MFS_ENABLED : MFS_GRAYED) |
                    (item->is_checked() ? MFS_CHECKED : MFS_UNCHECKED);
      info.dwTypeData = caption.data();
      info.cch = static_cast<UINT>(caption.size());
      if (const toolkit::Menu* items = item->submenu()) {
        submenu.Reset(VFX_FAULT_IF_FALSE(CreatePopupMenu()));
        AppendMenuItems(submenu.get(), *items, commands);
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = submenu.get();
      } else {
        info.wID = commands.Add(*item);
      }
    }
    // Once inserted, a submenu is its parent's to destroy.
    if (VFX_FAULT_IF_FALSE(
            InsertMenuItemW(target, static_cast<UINT>(GetMenuItemCount(target)), TRUE, &info)) &&
        submenu)
      static_cast<void>(submenu.Disown());
  }
}

BuiltMenu BuildMenu(const toolkit::Menu& menu) {
  BuiltMenu built{OwnedMenu(VFX_FAULT_IF_FALSE(CreatePopupMenu())), {}};
  if (built.menu) AppendMenuItems(built.menu.get(), menu, built.commands);
  return built;
}

POINT KeyboardMenuPoint(HWND control, bool atCaret) {
  POINT point{0, 0};
  if (atCaret && GetFocus() == control) GetCaretPos(&point);
  ClientToScreen(control, &point);
  // The part of the control that the window shows.
  RECT shown{};
  GetWindowRect(control, &shown);
  if (HWND top = GetAncestor(control, GA_ROOT); top && top != control) {
    RECT client{};
    GetClientRect(top, &client);
    MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!IntersectRect(&shown, &shown, &client)) shown = client;
  }
  point = Clamp(point, shown);
  return Clamp(point, WorkAreaAt(point));
}

const MenuItem* TrackMenu(HWND owner, const toolkit::Menu& menu, POINT at) {
  const BuiltMenu built = BuildMenu(menu);
  if (!built.menu) return nullptr;
  // 0 is also the user's cancel, which is no failure.
  const BOOL command = TrackPopupMenuEx(
      built.menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr);
  return built.ItemFor(static_cast<UINT>(command));
}

const MenuItem* Win32Backend::TrackMenu(toolkit::Form& form, const toolkit::Control* over,
                                        const toolkit::Menu& menu,
                                        const toolkit::MenuPlace& where) {
  HWND owner = reinterpret_cast<HWND>(form.native_handle());
  if (!owner) return nullptr;
  POINT at{};
  if (where.point) {
    at = {where.point->x, where.point->y};
  } else {
    // The form's own menu from the keyboard opens at the control that has the focus.
    const toolkit::Control* place = over ? over : form.focused();
    HWND window = place ? reinterpret_cast<HWND>(place->native_handle()) : nullptr;
    at = KeyboardMenuPoint(window ? window : owner,
                           place && place->kind() == toolkit::Control::Kind::kTextBox);
  }
  return win32::TrackMenu(owner, menu, at);
}

}  // namespace vfx::platform::win32
