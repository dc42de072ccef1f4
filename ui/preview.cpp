#include "ui/preview.h"

#include "markup/markup.h"
#include "text/utf8.h"
#include "toolkit/colour.h"

namespace vfx::ui {
namespace {

toolkit::CharacterLook LookOf(const markup::TextStyle& style) {
  using Script = toolkit::CharacterLook::Script;
  toolkit::CharacterLook look;
  if (style.colour)
    look.colour = static_cast<toolkit::Colour>(
        toolkit::ColourValue(style.colour->red, style.colour->green, style.colour->blue));
  look.bold = style.bold;
  look.italic = style.italic;
  look.underline = style.underline;
  look.strike = style.strike;
  switch (style.script) {
    case markup::Script::kNormal:
      look.script = Script::kNormal;
      break;
    case markup::Script::kSubscript:
      look.script = Script::kSubscript;
      break;
    case markup::Script::kSuperscript:
      look.script = Script::kSuperscript;
      break;
  }
  return look;
}

}  // namespace

std::vector<toolkit::CharacterLook> PreviewLook(std::string_view typedLine,
                                                std::string_view message) {
  const std::size_t count = text::CharacterCount(typedLine);
  if (count > kPreviewLimit) return {};
  std::vector<toolkit::CharacterLook> looks;
  looks.reserve(count);
  // The runs' texts, joined, are the message without its tags: the typed characters in order,
  // then the pad. Characters are counted as the fade counts them, run by run; a character never
  // spans two runs, since each carries its own tag.
  for (const markup::Run& run : markup::ParseMarkup(message)) {
    const toolkit::CharacterLook look = LookOf(run.style);
    for (std::size_t n = text::CharacterCount(run.text); n > 0 && looks.size() < count; --n)
      looks.push_back(look);
    if (looks.size() == count) break;
  }
  return looks;
}

}  // namespace vfx::ui
