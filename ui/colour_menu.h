// The colour panel's menu, opened by a right-click anywhere on the panel or by Shift+F10 or the
// Menu key while the focus is in it: the blend (one of three ticked), the presets, Reverse
// Colours, and the user's own saved colours, kept in the add-on's file.
//
// The file is read when the menu opens and written only when the user saves or deletes; a file
// that cannot be read is never written, and the menu says so. Choosing colours (a preset or a
// saved scheme) sets the count and the bars as the user's clicks would, so every handler of the
// panel runs, and ticks the blend that came with them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "fade/fade.h"
#include "platform/dialogs.h"
#include "settings/store.h"
#include "toolkit/control.h"
#include "toolkit/menu.h"
#include "ui/colour_panel.h"

namespace vfx::ui {

// What the menu shows where a list of saved colours would be.
inline constexpr char kNoneSaved[] = "(none saved)";
inline constexpr char kSavedUnreadable[] = "(saved colours unreadable)";

class ColourMenu {
 public:
  struct Hooks {
    std::function<fade::Blend()> blend;
    std::function<void(fade::Blend)> setBlend;
    // A few words in the caption: why a save or a delete did not happen.
    std::function<void(std::string)> showStatus;
    // Copy As, its submenu's actions as they stand when the menu opens.
    std::function<std::vector<toolkit::Action*>()> copyAs;
  };

  ColourMenu(ColourPanel& panel, settings::Store& store, platform::Dialogs& dialogs, Hooks hooks)
      : panel_(panel), store_(store), dialogs_(dialogs), hooks_(std::move(hooks)) {}

  // The menu as it is now, for `control` at `where`; returns once it has closed and what was
  // chosen has run.
  void Open(toolkit::Control& control, const toolkit::MenuPlace& where);
  // The menu's items, built afresh from the window's state and the file as read now.
  void Fill(toolkit::Menu& menu, platform::WindowHandle owner);

  // The colour count and the colours, then the blend, as a preset or a saved scheme sets them.
  void Apply(const std::vector<fade::Rgb>& colours, fade::Blend blend);

 private:
  void SaveAs(platform::WindowHandle owner);
  void Delete(platform::WindowHandle owner, const std::string& name);
  // The saved schemes' submenu: their names, or one line that says why there are none.
  void FillSchemes(toolkit::Menu& menu, const std::function<void(const settings::Scheme&)>& chosen);

  ColourPanel& panel_;
  settings::Store& store_;
  platform::Dialogs& dialogs_;
  Hooks hooks_;
};

}  // namespace vfx::ui
