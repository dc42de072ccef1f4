// The system clipboard, as Copy As fills it: the text for every program that pastes text, and,
// for the programs that paste coloured text (mail, word processors, rich editors), the same
// markup as an HTML fragment. The seam only moves the bytes and says why it could not.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop.h"

namespace vfx::platform {

struct ClipboardWrite {
  enum class Kind {
    kDone,
    kBusy,    // another program held the clipboard open past the retries
    kFailed,  // `detail` has the system's words
  };
  Kind kind = Kind::kFailed;
  std::string detail;
  bool done() const { return kind == Kind::kDone; }
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces what the clipboard holds, for `owner`, with `text` as Unicode text and, when given,
  // `htmlFragment` in the HTML clipboard format (HtmlClipboardData). Another program may hold the
  // clipboard open for a moment: it is tried again for about half a second, then kBusy. Both go
  // on the clipboard, or neither.
  virtual ClipboardWrite Put(WindowHandle owner, std::string_view text,
                             std::optional<std::string_view> htmlFragment) = 0;
};

// The data of the HTML clipboard format for a UTF-8 fragment: the description (Version,
// StartHTML, EndHTML, StartFragment, EndFragment, each offset a count of bytes from the data's
// start in ten digits), then a document holding the fragment between the StartFragment and
// EndFragment comments. All of it UTF-8.
std::string HtmlClipboardData(std::string_view fragment);

}  // namespace vfx::platform
