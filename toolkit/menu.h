// Menus, for a control's context menu or the window's system menu: items that show actions
// (toolkit/action.h) with their captions and access keys ("&Even Blend"), ticks and handlers,
// in radio groups, submenus and between separators. The model is the truth: the native menu is
// built from it when it opens and is gone when it closes.
//
// Choosing an item first updates its tick (a check item flips; a radio item becomes the one
// ticked item of its group), then runs its handler: once, after the menu has closed, never
// inside the window system's menu loop. Cancelling runs nothing, and a disabled item, a
// separator or a submenu cannot be chosen.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ranges>
#include <string>
#include <type_traits>
#include <vector>

#include "toolkit/action.h"

namespace vfx::toolkit {

class Control;
class Form;
class Menu;

// A point of the screen in the window system's own pixels, as the pointer reports it.
struct ScreenPoint {
  int x = 0, y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Where a context menu was asked for: at the pointer (the right button), or from the keyboard
// (Shift+F10, the Menu key), in which case the menu opens at the control's own place.
struct MenuPlace {
  std::optional<ScreenPoint> point;  // none: from the keyboard

  bool from_keyboard() const { return !point; }
  static MenuPlace Keyboard() { return {}; }
  static MenuPlace At(int x, int y) { return {ScreenPoint{x, y}}; }
  friend bool operator==(const MenuPlace&, const MenuPlace&) = default;
};

class MenuItem {
 public:
  enum class Kind { kCommand, kCheck, kRadio, kSubmenu, kSeparator };

  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;
  ~MenuItem();

  Kind kind() const { return kind_; }
  bool is_separator() const { return kind_ == Kind::kSeparator; }
  // The caption, state and handler of a command, check or radio item are its action's.
  Action* action() const { return kind_ == Kind::kSubmenu || is_separator() ? nullptr : shown_; }

  // With its access-key mark; what a screen reader reads is accessible_name().
  const std::string& caption() const { return shown_->caption(); }
  std::string accessible_name() const { return shown_->accessible_name(); }

  bool is_enabled() const { return shown_->is_enabled(); }
  void set_enabled(bool enabled) { shown_->set_enabled(enabled); }

  // The tick of a check item, the mark of a radio item; other items have neither. Ticking a
  // radio item unticks the rest of its group.
  bool is_checked() const { return shown_->is_checked(); }
  void set_checked(bool checked);
  // Radio items added one after another form a group; 0 for every other item.
  int radio_group() const { return radioGroup_; }

  // The items of a submenu item; null for every other item.
  Menu* submenu() const { return submenu_.get(); }

  // An enabled command, check or radio item.
  bool is_choosable() const { return action() && is_enabled(); }

 private:
  friend class Menu;
  MenuItem(Menu& menu, Kind kind, Action* shown, std::unique_ptr<Action> own, int radioGroup);

  Menu& menu_;
  Kind kind_;
  // The menu's own action, made for one showing: an item's, or a submenu's caption and state.
  std::unique_ptr<Action> own_;
  Action* shown_;  // own_, or the caller's action
  int radioGroup_ = 0;
  std::unique_ptr<Menu> submenu_;
};

class Menu {
 public:
  Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;
  ~Menu();

  // Items with actions of the menu's own.
  MenuItem& add_item(std::string caption, std::function<void()> onActivation = {});
  MenuItem& add_check_item(std::string caption, bool checked,
                           std::function<void()> onActivation = {});
  // Joins the group of the radio item added just before; a separator or any other item in
  // between starts a new group.
  MenuItem& add_radio_item(std::string caption, bool checked,
                           std::function<void()> onActivation = {});
  // An item that shows `action`, which the caller keeps (a form's action, in every menu that
  // shows it): what the item shows is the action as it is when the menu opens.
  MenuItem& add(Action& action);
  // Fill the submenu through the item's submenu().
  MenuItem& add_submenu(std::string caption);
  // A submenu of the caller's actions, each an Action or a pointer to one, in their order:
  // menu.add_submenu("Cop&y As", copyAs) or menu.add_submenu("&Blend", {&straight, &even}).
  template <std::ranges::range Actions = std::initializer_list<Action*>>
  MenuItem& add_submenu(std::string caption, Actions&& actions);
  void add_separator();
  // Takes out this menu's items that show `action`.
  void remove(const Action& action);

  const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
  bool empty() const { return items_.empty(); }

  // The item at the end of a path of captions, one per level ({"Presets", "Sunrise"}), each
  // compared as written or as read (without its access-key mark); null when there is none.
  const MenuItem* find(const std::vector<std::string>& path) const;
  // Whether the item is one of this menu's or of its submenus'.
  bool contains(const MenuItem& item) const;

  // What the user's choice of `item` does: its tick, then its handler. Nothing, and false, for
  // an item that cannot be chosen, lies in a disabled submenu or is not in this menu.
  bool choose(const MenuItem& item);

  // Opens the menu for `over` (null: the form itself) and returns once it has closed, after the
  // chosen item's handler has run. Controls and forms call it from popup_menu. A form without a
  // native window shows nothing, and one that unloaded while the menu was open runs nothing.
  void popup(Form& form, const Control* over, const MenuPlace& where);

 private:
  MenuItem& append(MenuItem::Kind kind, Action* shown, std::unique_ptr<Action> own);
  MenuItem& add_own(Action::Kind kind, std::string caption, bool checked,
                    std::function<void()> onActivation);
  // The item as this menu owns it, or null; `openable`: only through enabled submenus.
  MenuItem* locate(const MenuItem& item, bool openable) const;

  std::vector<std::unique_ptr<MenuItem>> items_;
  int radioGroups_ = 0;
};

template <std::ranges::range Actions>
MenuItem& Menu::add_submenu(std::string caption, Actions&& actions) {
  MenuItem& item = add_submenu(std::move(caption));
  for (auto&& action : actions) {
    if constexpr (std::is_base_of_v<Action, std::remove_cvref_t<decltype(action)>>)
      item.submenu()->add(action);
    else
      item.submenu()->add(*action);
  }
  return item;
}

// What is wrong with a menu, one line each (empty when nothing is): an item whose caption reads
// as nothing, two items of one menu with the same access key, a caption that marks more than
// one. Submenus are checked each on its own, as the window system matches keys per menu.
std::vector<std::string> MenuProblems(const Menu& menu);

}  // namespace vfx::toolkit
