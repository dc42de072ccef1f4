#include "toolkit/control.h"

#include "toolkit/access_key.h"
#include "toolkit/container.h"
#include "toolkit/form.h"

namespace vfx::toolkit {

Container::~Container() = default;

void Container::adopt(std::unique_ptr<Control> control) {
  Control& added = *control;
  children_.push_back(std::move(control));
  // A control added to a form that already has its window gets its own at once.
  if (Backend* backend = form().backend()) added.realize(*backend);
}

void Container::realize_children(Backend& backend) {
  for (const auto& child : children_) child->realize(backend);
}

Control::Control(Container& parent, Kind kind, std::string name, int id)
    : parent_(parent), kind_(kind), name_(std::move(name)), id_(id) {
  switch (kind) {
    case Kind::kTextBox:
      backColour_ = kWindow;
      foreColour_ = kWindowText;
      break;
    default:
      backColour_ = kButtonFace;
      foreColour_ = kButtonText;
      break;
  }
}

Control::~Control() = default;

Form& Control::form() const { return parent_.form(); }

void Control::set_bounds(Bounds bounds) {
  if (bounds == bounds_) return;
  bounds_ = bounds;
  changed(Property::kBounds);
}

void Control::set_enabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  changed(Property::kEnabled);
}

void Control::set_visible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  changed(Property::kVisible);
}

const Font& Control::font() const { return font_ ? *font_ : form().font(); }

void Control::set_font(Font font) {
  if (font_ && *font_ == font) return;
  font_ = std::move(font);
  changed(Property::kFont);
}

void Control::set_back_colour(Colour colour) {
  if (colour == backColour_) return;
  backColour_ = colour;
  changed(Property::kColours);
}

void Control::set_fore_colour(Colour colour) {
  if (colour == foreColour_) return;
  foreColour_ = colour;
  changed(Property::kColours);
}

void Control::set_caption(std::string_view caption) {
  if (caption == caption_) return;
  caption_ = caption;
  changed(Property::kCaption);
  caption_changed();
}

std::string Control::accessible_name() const {
  return givenName_.empty() ? WithoutAccessKeys(caption_) : givenName_;
}

void Control::set_accessible_name(std::string_view name) {
  if (name == givenName_) return;
  givenName_ = name;
  changed(Property::kAccessibleName);
}

bool Control::starts_group() const {
  if (kind_ != Kind::kOptionButton) return true;
  const auto& siblings = parent_.children();
  for (std::size_t i = 1; i < siblings.size(); ++i)
    if (siblings[i].get() == this) return siblings[i - 1]->kind() != Kind::kOptionButton;
  return true;
}

void Control::set_focus() {
  if (!accepts_focus() || !enabled_ || !visible_) return;
  form().focus(*this);
}

bool Control::has_focus() const { return form().focused() == this; }

bool Control::context_menu(const MenuPlace& where) {
  if (!on_context_menu) return false;
  // A copy: the handler may replace itself.
  const auto handler = on_context_menu;
  handler(where);
  return true;
}

void Control::popup_menu(Menu& menu, const MenuPlace& where) { menu.popup(form(), this, where); }

platform::WindowHandle Control::native_handle() const {
  return peer_ ? peer_->native_handle() : platform::kNoWindow;
}

void Control::realize(Backend& backend) {
  if (!peer_) peer_ = backend.CreatePeer(*this);
}

}  // namespace vfx::toolkit
