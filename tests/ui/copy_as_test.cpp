// Copy As on the in-memory desktop: each place's item puts on the clipboard what that place's
// format writes of the line as the window would fade it now, HTML in both clipboard formats; an
// empty box cannot be copied, and a clipboard another program holds is said, with nothing lost.
#include <array>
#include <string>
#include <vector>

#include "composer/compose.h"
#include "formats/format.h"
#include "platform/clipboard.h"
#include "tests/ui/colour_rows.h"
#include "tests/ui/window_fixture.h"
#include "text/utf8.h"
#include "toolkit/menu.h"

namespace vfx::ui {
namespace {

class CopyAsTest : public MainWindowTest {
 protected:
  CopyAsTest() {
    window.Option(3).set_value(true);
    const std::array<std::array<int, 3>, 3> colours = {{{255, 0, 0}, {0, 160, 0}, {0, 0, 255}}};
    for (int k = 1; k <= 3; ++k)
      for (int c = 0; c < 3; ++c)
        window.HScroll(kColourRows[k - 1].bar[c]).set_value(colours[k - 1][c]);
  }
  // Copy As from the colour panel's menu, by the item's caption.
  void CopyFromThePanel(const std::string& item) {
    backend.menuAnswers.push_back(std::vector<std::string>{"Copy As", item});
    window.Picture(1).context_menu(toolkit::MenuPlace::At(20, 20));
  }
  std::string Status() { return window.form().caption(); }
};

TEST_F(CopyAsTest, EachPlaceGetsItsFormatOfTheLineAsTheWindowFadesItNow) {
  const std::string line = "Hi <b> & \xC3\xA9";
  window.Text(ids::kMessageBox).set_text(line);
  window.set_blend(fade::Blend::kVivid);
  window.Check(ids::kBold).set_value(1);
  window.Check(ids::kStrike).set_value(1);
  window.Check(ids::kWavy).set_value(1);
  const std::vector<fade::Rgb> stops = {{255, 0, 0}, {0, 160, 0}, {0, 0, 255}};
  const formats::Styles styles{.bold = true, .strike = true};
  struct Place {
    const char* item;
    const char* format;
    const char* said;
  };
  for (const Place& place : {Place{"HTML", "html", "HTML"}, Place{"BBCode", "bbcode", "BBCode"},
                             Place{"MiniMessage", "minimessage", "MiniMessage"},
                             Place{"&#RRGGBB", "ampersand", "&#RRGGBB"}}) {
    CopyFromThePanel(place.item);
    const std::string expected = formats::FormatLine(*formats::Format::Named(place.format), line,
                                                     stops, fade::Blend::kVivid, styles);
    EXPECT_EQ(clipboard.text, expected) << place.item;
    EXPECT_EQ(clipboard.html.has_value(), std::string(place.format) == "html");
    EXPECT_EQ(Status(), "Vontra FX - 3 Colors - Copied as " + std::string(place.said) + ": " +
                            std::to_string(text::CharacterCount(expected)) + " characters");
  }
  CopyFromThePanel("HTML");
  EXPECT_EQ(clipboard.html, platform::HtmlClipboardData(clipboard.text));
  // The chat client's markup is what a Send composes, wave and all.
  CopyFromThePanel("The Chat Client's Markup");
  EXPECT_EQ(clipboard.text,
            composer::StylePrefix({.bold = true, .strike = true}) +
                composer::ComposeBody(line, 3, window.Colours(), true, fade::Blend::kVivid));
  // Nothing went to the host, and the line stays.
  EXPECT_TRUE(desktop.sent.empty());
  EXPECT_EQ(window.Text(ids::kMessageBox).text(), line);
}

TEST_F(CopyAsTest, AnEmptyBoxCannotBeCopiedAndABusyClipboardIsSaidAndKeepsWhatItHeld) {
  CopyFromThePanel("HTML");
  for (const char* item :
       {"HTML", "BBCode", "MiniMessage", "&&#RRGGBB", "The Chat Client's Markup"})
    EXPECT_FALSE(backend.menus.back().Find({"Copy As", item})->enabled) << item;
  EXPECT_EQ(clipboard.puts, 0);

  // The message box's own menu holds the same items, each with an access key of its own.
  window.Text(ids::kMessageBox).set_text("to copy");
  toolkit::Menu own;
  window.Text(ids::kMessageBox).on_own_menu(own);
  EXPECT_EQ(toolkit::MenuProblems(own), std::vector<std::string>{});
  toolkit::Menu panel;
  window.colour_menu().Fill(panel, backend.formWindow);
  EXPECT_EQ(toolkit::MenuProblems(panel), std::vector<std::string>{});

  clipboard.text = "someone else's";
  clipboard.heldElsewhere = true;
  CopyFromThePanel("BBCode");
  EXPECT_EQ(Status(),
            "Vontra FX - 3 Colors - Not copied: another program is using the clipboard; try again");
  EXPECT_EQ(clipboard.text, "someone else's");
  EXPECT_EQ(window.Text(ids::kMessageBox).text(), "to copy");
}

}  // namespace
}  // namespace vfx::ui
