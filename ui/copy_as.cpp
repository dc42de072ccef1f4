#include "ui/copy_as.h"

#include "text/utf8.h"

namespace vfx::ui {

struct CopyAs::Place {
  const char* caption;  // with its access key
  const char* name;     // in "Copied as ..."
  const char* format;   // formats::Format's name
  bool html;            // also as the HTML clipboard format, for the programs that paste colour
};

namespace {

constexpr CopyAs::Place kPlaces[] = {
    {"&HTML", "HTML", "html", true},
    {"&BBCode", "BBCode", "bbcode", false},
    {"&MiniMessage", "MiniMessage", "minimessage", false},
    {"&&#&RRGGBB", "&#RRGGBB", "ampersand", false},
    {"&The Chat Client's Markup", "the chat client's markup", "host", false},
};

}  // namespace

CopyAs::CopyAs(toolkit::Form& form, platform::Clipboard& clipboard, Hooks hooks)
    : form_(form), clipboard_(clipboard), hooks_(std::move(hooks)) {
  for (const Place& place : kPlaces)
    actions_.push_back(std::make_unique<toolkit::Action>(
        form_, toolkit::Action::Kind::kCommand, place.caption, [this, &place] { Copy(place); }));
}

std::vector<toolkit::Action*> CopyAs::Actions() {
  const bool typed = !hooks_.source().line.empty();
  std::vector<toolkit::Action*> actions;
  for (const auto& action : actions_) {
    action->set_enabled(typed);
    actions.push_back(action.get());
  }
  return actions;
}

void CopyAs::Copy(const Place& place) {
  const CopySource source = hooks_.source();
  if (source.line.empty()) return;
  const std::optional<formats::Format> format = formats::Format::Named(place.format);
  const bool host = format->IsHost();
  const std::string copied = formats::FormatLine(*format, source.line, source.colours, source.blend,
                                                 source.styles, host && source.wavy);
  const platform::ClipboardWrite written =
      clipboard_.Put(form_.native_handle(), copied,
                     place.html ? std::optional<std::string_view>(copied) : std::nullopt);
  switch (written.kind) {
    case platform::ClipboardWrite::Kind::kDone:
      return hooks_.showStatus("Copied as " + std::string(place.name) + ": " +
                               std::to_string(text::CharacterCount(copied)) + " characters");
    case platform::ClipboardWrite::Kind::kBusy:
      return hooks_.showStatus("Not copied: another program is using the clipboard; try again");
    case platform::ClipboardWrite::Kind::kFailed:
      return hooks_.showStatus("Not copied: " + written.detail);
  }
}

}  // namespace vfx::ui
