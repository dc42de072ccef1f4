#include "ui/announcements.h"

namespace vfx::ui::announcements {
namespace {

std::string Line(std::string_view text, fade::Rgb colour, std::string_view stylez,
                 std::string_view suffix) {
  return fade::FadeTwoColors(text, 0, 0, 0, colour.red, colour.green, colour.blue, stylez) +
         std::string(suffix);
}

}  // namespace

fade::Rgb DrawColour(const std::function<int()>& component) {
  fade::Rgb colour;
  colour.red = component();
  colour.green = component();
  colour.blue = component();
  return colour;
}

std::string StartupFirstLine(fade::Rgb colour) { return Line(kNameText, colour, "", kNameFontTag); }

std::string StartupSecondLine(fade::Rgb colour) {
  return Line(kLoadedText, colour, kBoldItalic, kNameFontTag);
}

std::string ExitFirstLine(fade::Rgb colour) {
  return Line(kNameText, colour, kBoldItalic, kNameFontTag);
}

std::string ExitSecondLine(fade::Rgb colour) {
  return Line(kUnloadedText, colour, kBoldItalic, kNameFontTag);
}

std::array<std::string, 2> AdvertiseLines(fade::Rgb colour) {
  return {Line(kNameText, colour, kBoldItalic, kAdvertiseFontTag),
          Line(std::string(kCopyText) + std::string(kDownloadAddress), colour, kBoldItalic,
               kAdvertiseFontTag)};
}

}  // namespace vfx::ui::announcements
