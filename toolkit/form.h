// A top-level window. Its Width and Height are the outer size, caption and borders included;
// the design gives the client area, and the window system's metrics make up the rest.
//
// The size the code assigns is the size the code reads back: the native window shows it rounded
// to whole pixels, but the rounding does not feed back into the next step of a resizing loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/colour.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/geometry.h"
#include "toolkit/menu.h"
#include "toolkit/peer.h"

namespace vfx::toolkit {

class Action;
class CommandButton;
class Control;
class Timer;

class Form : public Container {
 public:
  enum class WindowState { kNormal, kMinimized };
  // A fixed-size tool window with a small caption, or a bare rectangle (the splash) with neither
  // caption, border nor task-bar button.
  enum class BorderStyle { kFixedToolWindow, kNone };

  // Caption and borders of a small-caption tool window at 96 dots per inch, for a form without
  // a native window.
  static constexpr Size kHeadlessNonClient{90, 315};

  explicit Form(std::string name);
  ~Form() override;

  const std::string& name() const { return name_; }
  Form& form() override { return *this; }
  platform::WindowHandle container_handle() const override { return native_handle(); }

  const std::string& caption() const { return caption_; }
  void set_caption(std::string_view caption);

  // The default font of the controls that have none of their own.
  const Font& font() const { return font_; }
  void set_font(Font font) { font_ = std::move(font); }
  Colour back_colour() const { return backColour_; }
  void set_back_colour(Colour colour);
  // The name of the window's icon, as the native side knows it.
  const std::string& icon() const { return icon_; }
  void set_icon(std::string icon) { icon_ = std::move(icon); }

  // Set before the client size: it decides what lies around the client area.
  BorderStyle border_style() const { return borderStyle_; }
  void set_border_style(BorderStyle style) { borderStyle_ = style; }
  // Opens centred on the screen rather than where the window system puts new windows.
  bool centred() const { return centred_; }
  void set_centred(bool centred) { centred_ = centred; }
  // Opens in the lower right corner of the screen's work area, clear of the host's menus and
  // its windows' usual place at the top left, with room there for the largest outer size the
  // window grows to (twips), so that growing never pushes it off the screen.
  bool opens_lower_right() const { return lowerRight_; }
  Size largest_size() const { return largest_; }
  void set_opens_lower_right(Size largest) {
    lowerRight_ = true;
    largest_ = largest;
  }

  // The client area as designed; the outer size follows from it.
  void set_client_size(float width, float height);
  Size client_design_size() const { return clientDesign_; }
  Size non_client_size() const;

  float width() const { return size_.width; }
  float height() const { return size_.height; }
  Size size() const { return size_; }
  // Each assignment resizes the window at once.
  void set_width(float width);
  void set_height(float height);

  WindowState window_state() const { return windowState_; }
  void set_window_state(WindowState state);

  // Enter in any control but a command button presses it.
  CommandButton* default_button() const { return defaultButton_; }
  void set_default_button(CommandButton* button);

  Control* focused() const { return focused_; }

  // A context menu asked for over the form's own background, or one that no control took (see
  // Control::on_context_menu).
  std::function<void(const MenuPlace&)> on_context_menu;
  bool context_menu(const MenuPlace& where);
  // Opens `menu` for the form (from the keyboard: at the focused control) and returns once it has
  // closed and the chosen item's handler has run. Nothing without a native window.
  void popup_menu(Menu& menu, const MenuPlace& where) { menu.popup(*this, nullptr, where); }

  // Creates the native window (hidden) and every control's peer, in tab order.
  void realize(Backend& backend);
  FormPeer* peer() const { return peer_.get(); }
  Backend* backend() const { return backend_; }
  platform::WindowHandle native_handle() const;

  bool is_visible() const { return visible_; }
  void show();
  // Runs on_unload, then destroys the window. A second unload does nothing.
  void unload();
  bool is_loaded() const { return loaded_; }
  std::function<void()> on_unload;

  // For the peers: what the window system did on its own.
  void native_focus_changed(Control* control) { focused_ = control; }
  void native_resized(Size size) { size_ = size; }
  void native_window_state_changed(WindowState state) { windowState_ = state; }
  void native_close_requested() { unload(); }
  void native_timer_elapsed(int id);
  // A key for the whole desktop was pressed: the action it is registered for runs.
  void native_hot_key(int id);

  // The items the window adds to its system menu (Alt+Space, or a click on its icon): the form's
  // actions (Menu::add), shown as they are each time that menu opens; a chosen item's handler
  // runs once the menu has closed. No submenus: the system menu takes none.
  Menu& system_menu() { return systemMenu_; }

  // For Timer.
  int add_timer(Timer& timer);
  void remove_timer(Timer& timer);

  // For Control::set_focus.
  void focus(Control& control);

 private:
  friend class Action;
  int add_action(Action& action);
  void remove_action(Action& action);
  // True once the key is the window's; false when another program holds it, or the form has no
  // native window.
  bool register_hot_key(int id, const platform::HotKey& key);
  void release_hot_key(int id);

  void changed(Property property) {
    if (peer_ && loaded_) peer_->Changed(property);
  }

  std::string name_;
  std::string caption_;
  Font font_;
  Colour backColour_ = kButtonFace;
  std::string icon_;
  Size clientDesign_;
  Size size_;
  bool sizedByCode_ = false;
  WindowState windowState_ = WindowState::kNormal;
  BorderStyle borderStyle_ = BorderStyle::kFixedToolWindow;
  bool centred_ = false, lowerRight_ = false;
  Size largest_;
  CommandButton* defaultButton_ = nullptr;
  Control* focused_ = nullptr;
  bool visible_ = false, loaded_ = true, unloading_ = false;
  std::vector<Timer*> timers_;
  int nextTimerId_ = 1;
  std::vector<Action*> actions_;
  int nextActionId_ = 1;
  Menu systemMenu_;
  Backend* backend_ = nullptr;
  std::unique_ptr<FormPeer> peer_;
};

}  // namespace vfx::toolkit
