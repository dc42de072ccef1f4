#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/menu.h"
#include "toolkit/text_look.h"

namespace vfx::toolkit {

class TextBox : public Control {
 public:
  TextBox(Container& parent, std::string name, int id);

  // Line breaks are "\r\n", as the native edit control keeps them.
  const std::string& text() const { return caption(); }
  void set_text(std::string_view text) { set_caption(text); }

  bool is_multi_line() const { return multiLine_; }
  // Takes effect when the peer is created.
  void set_multi_line(bool multiLine) { multiLine_ = multiLine; }

  // The characters' own looks, one per character (code point) of the text; characters without
  // one are drawn in the box's font and colour. The look is asked of its source only when someone
  // wants it, so that a burst of changes (the Randomize walk) costs one computation, not one per
  // step: look_changed() only says that the source would answer differently now.
  using LookSource = std::function<std::vector<CharacterLook>()>;
  bool has_look_source() const { return static_cast<bool>(lookSource_); }
  // Takes effect when the peer is created, which then draws looks.
  void set_look_source(LookSource source);
  void look_changed();
  const std::vector<CharacterLook>& look();

  // Whether the looks are drawn at all; the user may turn them off.
  bool look_shown() const { return lookShown_; }
  void set_look_shown(bool shown);

  std::function<void()> on_change;
  std::function<void()> on_double_click;
  // A box with looks opens a menu of its own (Undo, Cut, Copy, Paste, Delete, Select All and
  // whether the looks show) when no on_context_menu takes the request; this adds the window's
  // items below the box's, each time it opens: menu.add_submenu("Cop&y As", copyAs).
  std::function<void(Menu&)> on_own_menu;
  void double_click();

 protected:
  void caption_changed() override;

 private:
  bool multiLine_ = false;
  LookSource lookSource_;
  std::vector<CharacterLook> look_;
  bool lookStale_ = true, lookShown_ = true;
};

}  // namespace vfx::toolkit
