// The controls' value semantics: compare, store, tell the peer, then run the handler.
#include <algorithm>
#include <cassert>

#include "toolkit/check_box.h"
#include "toolkit/command_button.h"
#include "toolkit/frame.h"
#include "toolkit/h_scroll_bar.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/option_button.h"
#include "toolkit/picture_box.h"
#include "toolkit/text_box.h"

namespace vfx::toolkit {

CommandButton::CommandButton(Container& parent, std::string name, int id)
    : Control(parent, Kind::kCommandButton, std::move(name), id) {}

void CommandButton::set_arrowhead(Arrowhead arrowhead) {
  if (arrowhead == arrowhead_) return;
  arrowhead_ = arrowhead;
  changed(Property::kPicture);
}

void CommandButton::click() {
  if (on_click) on_click();
}

CheckBox::CheckBox(Container& parent, std::string name, int id)
    : Control(parent, Kind::kCheckBox, std::move(name), id) {}

void CheckBox::set_value(int value, AllowCallback allow) {
  assert(value >= kUnchecked && value <= kGrayed && "a check box holds 0, 1 or 2");
  if (value < kUnchecked || value > kGrayed || value == value_) return;
  value_ = value;
  changed(Property::kValue);
  if (allow == AllowCallback::kYes && on_click) on_click();
}

void CheckBox::toggle() { set_value(value_ == kUnchecked ? kChecked : kUnchecked); }

OptionButton::OptionButton(Container& parent, std::string name, int id)
    : Control(parent, Kind::kOptionButton, std::move(name), id) {}

void OptionButton::clear_siblings() {
  for (const auto& sibling : parent().children()) {
    if (sibling.get() == this || sibling->kind() != Kind::kOptionButton) continue;
    auto& option = static_cast<OptionButton&>(*sibling);
    if (option.value_) {
      option.value_ = false;
      option.changed(Property::kValue);
    }
  }
}

void OptionButton::set_value(bool value, AllowCallback allow) {
  if (value == value_) return;
  if (value) clear_siblings();
  value_ = value;
  changed(Property::kValue);
  if (value && allow == AllowCallback::kYes && on_click) on_click();
}

void OptionButton::click() {
  if (!value_)
    set_value(true);
  else if (on_click)
    on_click();
}

HScrollBar::HScrollBar(Container& parent, std::string name, int id)
    : Control(parent, Kind::kHScrollBar, std::move(name), id) {}

void HScrollBar::set_range(int minimum, int maximum) {
  if (maximum < minimum) std::swap(minimum, maximum);
  minimum_ = minimum;
  maximum_ = maximum;
  value_ = std::clamp(value_, minimum_, maximum_);
  changed(Property::kValue);
}

void HScrollBar::set_steps(int smallChange, int largeChange) {
  smallChange_ = std::max(1, smallChange);
  largeChange_ = std::max(1, largeChange);
  changed(Property::kValue);
}

void HScrollBar::set_value(int value, AllowCallback allow) {
  value = std::clamp(value, minimum_, maximum_);
  if (value == value_) return;
  value_ = value;
  changed(Property::kValue);
  if (allow == AllowCallback::kYes && on_change) on_change();
}

Label::Label(Container& parent, std::string name, int id)
    : Control(parent, Kind::kLabel, std::move(name), id) {}

PictureBox::PictureBox(Container& parent, std::string name, int id)
    : Control(parent, Kind::kPictureBox, std::move(name), id) {}

TextBox::TextBox(Container& parent, std::string name, int id)
    : Control(parent, Kind::kTextBox, std::move(name), id) {}

void TextBox::caption_changed() {
  if (on_change) on_change();
}

void TextBox::set_look_source(LookSource source) {
  lookSource_ = std::move(source);
  look_changed();
}

void TextBox::look_changed() {
  // The peer hears of it once until it reads the look again.
  if (lookStale_) return;
  lookStale_ = true;
  changed(Property::kLook);
}

const std::vector<CharacterLook>& TextBox::look() {
  if (lookStale_) {
    look_ = lookSource_ ? lookSource_() : std::vector<CharacterLook>{};
    lookStale_ = false;
  }
  return look_;
}

void TextBox::set_look_shown(bool shown) {
  if (shown == lookShown_) return;
  lookShown_ = shown;
  changed(Property::kLook);
}

void TextBox::double_click() {
  if (on_double_click) on_double_click();
}

Frame::Frame(Container& parent, std::string name, int id)
    : Control(parent, Kind::kFrame, std::move(name), id) {}

void Frame::realize(Backend& backend) {
  Control::realize(backend);
  realize_children(backend);
}

Image::Image(Container& parent, std::string name, int id)
    : Control(parent, Kind::kImage, std::move(name), id) {}

void Image::set_picture(std::string picture) {
  if (picture == picture_) return;
  picture_ = std::move(picture);
  changed(Property::kPicture);
}

void Image::click() {
  if (on_click) on_click();
}

}  // namespace vfx::toolkit
