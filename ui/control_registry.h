// The main window's controls by kind and number (and index, in the marker arrays), each with the
// table row it was built from. Walking a kind visits its controls in the order of their numbers.
#pragma once

#include <climits>
#include <map>

#include "composer/send_window.h"
#include "toolkit/check_box.h"
#include "toolkit/command_button.h"
#include "toolkit/frame.h"
#include "toolkit/h_scroll_bar.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/option_button.h"
#include "toolkit/picture_box.h"
#include "toolkit/text_box.h"
#include "ui/control_ids.h"
#include "ui/layout.h"

namespace vfx::ui {

class ControlRegistry {
 public:
  using Kind = toolkit::Control::Kind;
  struct Key {
    Kind kind;
    int number;
    int index = -1;  // the member of a control array
    friend auto operator<=>(const Key&, const Key&) = default;
  };
  struct Entry {
    toolkit::Control* control;
    const layout::Item* item;  // none for the colour panel's, which are built by its rule
  };

  void Add(Key key, toolkit::Control& control, const layout::Item* item = nullptr) {
    entries_.insert_or_assign(key, Entry{&control, item});
    if (item && item->Sends()) boxes_[*item->Sends()] = static_cast<toolkit::CheckBox*>(&control);
  }

  template <class Control>
  Control& Get(Kind kind, int number, int index = -1) const {
    return static_cast<Control&>(*entries_.at({kind, number, index}).control);
  }
  template <class Visit>
  void ForEach(Kind kind, Visit visit) const {
    for (auto it = entries_.lower_bound({kind, INT_MIN, INT_MIN});
         it != entries_.end() && it->first.kind == kind; ++it)
      visit(it->first, it->second);
  }

  toolkit::CommandButton& Command(int n) const {
    return Get<toolkit::CommandButton>(Kind::kCommandButton, n);
  }
  toolkit::CheckBox& Check(int n) const { return Get<toolkit::CheckBox>(Kind::kCheckBox, n); }
  toolkit::HScrollBar& HScroll(int n) const {
    return Get<toolkit::HScrollBar>(Kind::kHScrollBar, n);
  }
  toolkit::Label& Label(int n) const { return Get<toolkit::Label>(Kind::kLabel, n); }
  toolkit::OptionButton& Option(int n) const {
    return Get<toolkit::OptionButton>(Kind::kOptionButton, n);
  }
  toolkit::PictureBox& Picture(int n) const {
    return Get<toolkit::PictureBox>(Kind::kPictureBox, n);
  }
  toolkit::PictureBox& Marker(int array, int index) const {
    return Get<toolkit::PictureBox>(Kind::kPictureBox, array, index);
  }
  toolkit::TextBox& Text(int n) const { return Get<toolkit::TextBox>(Kind::kTextBox, n); }
  // The same by the controls' roles (ids::kSend, ids::kOnTop, ...).
  toolkit::CommandButton& Command(ids::CommandRole role) const { return Command(role.number); }
  toolkit::CheckBox& Check(ids::CheckRole role) const { return Check(role.number); }
  toolkit::OptionButton& Option(ids::OptionRole role) const { return Option(role.number); }
  toolkit::TextBox& Text(ids::TextRole role) const { return Text(role.number); }
  // The check box that holds a Send option.
  toolkit::CheckBox& Box(composer::SendOption option) const { return *boxes_.at(option); }

 private:
  std::map<Key, Entry> entries_;
  std::map<composer::SendOption, toolkit::CheckBox*> boxes_;
};

}  // namespace vfx::ui
