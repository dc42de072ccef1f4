// What every control has: a place, enabled and visible states, a font, colours, a caption and
// the keyboard focus. Setters compare first, and tell the peer (and run a handler, in the
// controls that have one) only when the value really changes.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/colour.h"
#include "toolkit/font.h"
#include "toolkit/geometry.h"
#include "toolkit/menu.h"
#include "toolkit/peer.h"

namespace vfx::toolkit {

// Whether a value set by code runs the control's handler when it changes: always, as the
// user's change would (the design's rule), unless the form is being built from its design.
enum class AllowCallback { kYes, kNo };

class Container;
class Form;

class Control {
 public:
  enum class Kind {
    kCommandButton,
    kCheckBox,
    kOptionButton,
    kHScrollBar,
    kLabel,
    kPictureBox,
    kTextBox,
    kFrame,
    kImage,
  };

  Control(Container& parent, Kind kind, std::string name, int id);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  // The native control ID, stable across runs.
  int id() const { return id_; }
  Container& parent() const { return parent_; }
  Form& form() const;

  const Bounds& bounds() const { return bounds_; }
  void set_bounds(Bounds bounds);

  bool is_enabled() const { return enabled_; }
  void set_enabled(bool enabled);
  bool is_visible() const { return visible_; }
  void set_visible(bool visible);

  // The control's own font, or the form's when it has none.
  const Font& font() const;
  void set_font(Font font);

  Colour back_colour() const { return backColour_; }
  void set_back_colour(Colour colour);
  Colour fore_colour() const { return foreColour_; }
  void set_fore_colour(Colour colour);

  const std::string& caption() const { return caption_; }
  void set_caption(std::string_view caption);

  // What a screen reader says the control is: the name given, or else the caption without its
  // access-key ampersands. A control that shows a symbol, or no text, or the user's own text,
  // needs a name given.
  std::string accessible_name() const;
  bool has_given_name() const { return !givenName_.empty(); }
  void set_accessible_name(std::string_view name);

  // Where the arrow keys move within a group of the tab order: an option button starts one
  // unless the control before it in its container is an option button too; every other
  // control is a group of its own.
  bool starts_group() const;

  // Nothing happens for a control that is disabled, hidden or cannot hold the focus.
  void set_focus();
  bool has_focus() const;
  virtual bool accepts_focus() const { return true; }

  // The user asked for the control's context menu: the right button over it (also over a
  // disabled control, or a label, which the pointer passes through), Shift+F10 or the Menu key
  // while it has the focus. Without a handler the request goes to the native control's own menu
  // where it has one (a text box's, a scroll bar's), else to the frame around it, then the form.
  std::function<void(const MenuPlace&)> on_context_menu;
  // For the peers: runs on_context_menu; false when there is none.
  bool context_menu(const MenuPlace& where);
  // Opens `menu` for the control at `where` (from the keyboard: at the control) and returns once
  // it has closed and the chosen item's handler has run. Nothing without a native window.
  void popup_menu(Menu& menu, const MenuPlace& where);

  Peer* peer() const { return peer_.get(); }
  platform::WindowHandle native_handle() const;
  // Creates the native peer; a container creates its children's after its own.
  virtual void realize(Backend& backend);

 protected:
  void changed(Property property) {
    if (peer_) peer_->Changed(property);
  }
  virtual void caption_changed() {}

 private:
  Container& parent_;
  Kind kind_;
  std::string name_;
  int id_;
  Bounds bounds_;
  bool enabled_ = true, visible_ = true;
  std::optional<Font> font_;
  Colour backColour_, foreColour_;
  std::string caption_;
  std::string givenName_;
  std::unique_ptr<Peer> peer_;
};

}  // namespace vfx::toolkit
