// The add-on's modal boxes: the OK box, and the small questions that its menus ask. Each is owned
// by `owner` (the main window), which it disables while it is up; each returns when the user has
// answered, and the add-on's other events keep running meanwhile. Text is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop.h"
#include "platform/hot_key.h"

namespace vfx::platform {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows the text with an OK button and no icon, and returns when the user has closed it.
  virtual void ShowMessage(WindowHandle owner, std::string_view caption, std::string_view text) = 0;

  // One line of text under `prompt` (its label, which names the box to a screen reader), starting
  // as `initial`, selected. OK (Enter) gives the text as typed, and cannot be chosen while the text
  // is empty or only blanks; Cancel (Escape, or closing the box) gives nothing.
  virtual std::optional<std::string> AskText(WindowHandle owner, std::string_view caption,
                                             std::string_view prompt, std::string_view initial) = 0;

  // A question with Yes and No: true for Yes. No is the default button, and Escape or closing the
  // box answers No as well, so that a stray key never confirms.
  virtual bool AskYesNo(WindowHandle owner, std::string_view caption, std::string_view text) = 0;

  // A key combination, typed into the system's hot-key control under `prompt`, starting as
  // `current`. OK gives the combination (never an empty one); Cancel gives nothing.
  virtual std::optional<HotKey> AskHotKey(WindowHandle owner, std::string_view caption,
                                          std::string_view prompt, const HotKey& current) = 0;
};

}  // namespace vfx::platform
