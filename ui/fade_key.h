// The fade key: a key for the whole desktop (Ctrl+Shift+F unless the user chose another) that
// fades the line where the user types it, in the host's own chat box or instant message. It is a
// setting the user sees and changes in the window's system menu (Alt+Space): "Fade Where You
// Type", ticked while it is on, with the key's name, and "Fade Key…", which asks for another key.
// Both choices are kept in the add-on's file, written only when the user changes them, and read
// at start; on at every start unless the user turned it off.
//
// A key another program holds stays unregistered: the menu item says so, the caption says it
// once, and everything else works.
#pragma once

#include <functional>
#include <string>

#include "platform/dialogs.h"
#include "platform/hot_key.h"
#include "settings/store.h"
#include "toolkit/action.h"
#include "toolkit/form.h"

namespace vfx::ui {

inline constexpr platform::HotKey kDefaultFadeKey{.key = 'F', .control = true, .shift = true};

class FadeKey {
 public:
  struct Hooks {
    std::function<void()> pressed;
    std::function<void(std::string)> showStatus;  // a few words in the caption
  };

  // Puts its items in the form's system menu.
  FadeKey(toolkit::Form& form, settings::Store& store, platform::Dialogs& dialogs, Hooks hooks);

  // The settings read from the file, and the key registered when it is on. The form releases
  // the key when it unloads.
  void Start();

 private:
  void Toggle();
  void Change();
  // The key on or off and which it is: registered while on, and the menu item saying so.
  void Set(bool on, const platform::HotKey& key);
  void Keep(std::string_view key, std::string_view value);

  toolkit::Form& form_;
  settings::Store& store_;
  platform::Dialogs& dialogs_;
  Hooks hooks_;
  // The key itself, pressed in any program; enabled while it is on.
  toolkit::Action fade_;
  // "Fade Where You Type", ticked while the key is on, and "Fade Key…".
  toolkit::Action toggle_, change_;
};

}  // namespace vfx::ui
