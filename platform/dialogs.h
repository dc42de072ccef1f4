// The modal OK box: the only message box the add-on shows.
#pragma once

#include <string_view>

#include "platform/desktop.h"

namespace vfx::platform {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows the text with an OK button and no icon, owned by `owner`, and returns when the user
  // has closed it. Other events keep running meanwhile.
  virtual void ShowMessage(WindowHandle owner, std::string_view caption, std::string_view text) = 0;
};

}  // namespace vfx::platform
