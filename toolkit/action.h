// An action: something the user can do, by a menu item or by a key. One object with a caption
// (its access key marked, "Fade &Key…"), a tick, an enabled state and the handler that doing it
// runs, shared by every menu that shows it and by the key that runs it.
//
// A form's action has an id of the form's for as long as it lives, as a timer has, and may have a
// key for the whole desktop, which the form registers under that id while the action is enabled
// (a disabled action takes no key from other programs). An action made by a menu for one showing
// (Menu::add_item and its kin) has neither.
#pragma once

#include <functional>
#include <string>

#include "platform/hot_key.h"

namespace vfx::toolkit {

class Form;

class Action {
 public:
  // A check action's tick flips when it is done; a radio action's is set, and the menu that shows
  // it unticks the rest of its group (radio items added one after another).
  enum class Kind { kCommand, kCheck, kRadio };

  Action(Kind kind, std::string caption, std::function<void()> onActivation = {});
  // The form's; it lives no longer than the form.
  Action(Form& form, Kind kind, std::string caption, std::function<void()> onActivation = {});
  Action(const Action&) = delete;
  Action& operator=(const Action&) = delete;
  // Releases its key and its id.
  ~Action();

  Kind kind() const { return kind_; }
  // 0 for an action without a form.
  int id() const { return id_; }

  // With its access-key mark, and after a tab what a menu shows at its right ("\tCtrl+Shift+F");
  // what a screen reader reads is accessible_name().
  const std::string& caption() const { return caption_; }
  void set_caption(std::string caption) { caption_ = std::move(caption); }
  std::string accessible_name() const;

  bool is_enabled() const { return enabled_; }
  void set_enabled(bool enabled);

  // Check and radio actions only; the others have no tick.
  bool is_checked() const { return checked_; }
  void set_checked(bool checked);

  // The key for the whole desktop (none: empty), registered while the action is enabled and its
  // form has a window (at once, or when the window is made); holds_global_key() says whether that
  // worked, as another program may hold the key already. Released when the action is disabled or
  // goes, or the form unloads.
  const platform::HotKey& global_key() const { return key_; }
  void set_global_key(const platform::HotKey& key);
  bool holds_global_key() const { return held_; }

  // What choosing it or pressing its key does: its tick, then its handler. Nothing, and false,
  // when it is disabled.
  bool activate();

  std::function<void()> on_activation;

 private:
  friend class Form;
  void RegisterKey();
  void ReleaseKey();

  Form* form_ = nullptr;
  int id_ = 0;
  Kind kind_;
  std::string caption_;
  bool enabled_ = true, checked_ = false, held_ = false;
  platform::HotKey key_;
};

}  // namespace vfx::toolkit
