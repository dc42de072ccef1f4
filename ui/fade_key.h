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
#include "toolkit/form.h"
#include "toolkit/menu.h"

namespace vfx::ui {

inline constexpr platform::HotKey kDefaultFadeKey{.key = 'F', .control = true, .shift = true};

class FadeKey {
 public:
  struct Hooks {
    std::function<void()> pressed;
    std::function<void(std::string)> showStatus;  // a few words in the caption
  };

  FadeKey(toolkit::Form& form, settings::Store& store, platform::Dialogs& dialogs, Hooks hooks);

  // The settings read from the file, and the key registered when it is on.
  void Start();
  // The key released (the window is going).
  void Stop();

  bool on() const { return on_; }
  bool taken() const { return taken_; }
  const platform::HotKey& key() const { return key_; }

  // The items of the window's system menu.
  void FillSystemMenu(toolkit::Menu& menu);
  void Toggle();
  void Change();

 private:
  void Register();
  void Release();
  void Keep(std::string_view key, std::string_view value);

  toolkit::Form& form_;
  settings::Store& store_;
  platform::Dialogs& dialogs_;
  Hooks hooks_;
  platform::HotKey key_ = kDefaultFadeKey;
  bool on_ = true, registered_ = false, taken_ = false;
};

}  // namespace vfx::ui
