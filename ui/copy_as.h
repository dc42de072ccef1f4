// Copy As: the line in the message box, faded as the window would fade it now (colour count,
// colours, blend, styles), put on the clipboard in the notation of another place, for any program
// that takes coloured text: a web page or mail (HTML, which rich editors paste in colour), a forum
// (BBCode), a game server (MiniMessage, &#RRGGBB) or the chat client's own markup. It sends
// nothing to the host and leaves the message box as it is.
//
// Its actions are the window's, shown as a submenu of the message box's menu and of the colour
// panel's, each with an access key of its own; with an empty box they cannot be chosen.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fade/fade.h"
#include "formats/format.h"
#include "platform/clipboard.h"
#include "toolkit/action.h"
#include "toolkit/form.h"

namespace vfx::ui {

// What the window holds at the moment of the copy.
struct CopySource {
  std::string line{};
  std::vector<fade::Rgb> colours{};  // the chosen count of them
  fade::Blend blend = fade::Blend::kStraight;
  formats::Styles styles{};
  bool wavy = false;  // the chat client's markup only: the other places have no wave
};

class CopyAs {
 public:
  struct Hooks {
    std::function<CopySource()> source;
    std::function<void(std::string)> showStatus;  // a few words in the caption
  };

  // A place the line may be copied for, as its item shows it.
  struct Place;

  CopyAs(toolkit::Form& form, platform::Clipboard& clipboard, Hooks hooks);

  // The submenu's caption, the same in both menus (its access key free in both).
  static constexpr char kCaption[] = "Cop&y As";
  // The actions, enabled while the message box holds text: for Menu::add_submenu, when a menu
  // that shows them opens.
  std::vector<toolkit::Action*> Actions();

 private:
  void Copy(const Place& place);

  toolkit::Form& form_;
  platform::Clipboard& clipboard_;
  Hooks hooks_;
  std::vector<std::unique_ptr<toolkit::Action>> actions_;
};

}  // namespace vfx::ui
