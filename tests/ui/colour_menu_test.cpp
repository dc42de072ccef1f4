// The colour panel's menu on the in-memory desktop: where it opens, what it holds, and what its
// items do to the panel, the blend and the add-on's file.
#include <array>
#include <string>
#include <vector>

#include "composer/compose.h"
#include "tests/ui/colour_rows.h"
#include "tests/ui/window_fixture.h"
#include "toolkit/menu.h"

namespace vfx::ui {
namespace {

using Path = std::vector<std::string>;

class ColourMenuTest : public MainWindowTest {
 protected:
  ColourMenuTest() { window.Option(3).set_value(true); }

  // A right-click on colour 1's swatch, answered with `path` (nothing: cancelled).
  void Choose(std::optional<Path> path) {
    backend.menuAnswers.push_back(std::move(path));
    window.Picture(1).context_menu(toolkit::MenuPlace::At(20, 20));
  }
  const testing::ShownMenu& LastMenu() const { return backend.menus.back(); }

  void SetColour(int k, std::array<int, 3> rgb) {
    for (int c = 0; c < 3; ++c) window.HScroll(kColourRows[k - 1].bar[c]).set_value(rgb[c]);
  }
  std::array<int, 3> ColourOf(int k) {
    std::array<int, 3> rgb;
    for (int c = 0; c < 3; ++c) rgb[c] = window.HScroll(kColourRows[k - 1].bar[c]).value();
    return rgb;
  }
  // What a Send would compose now, by the composer's own hand, for the blend asked.
  std::string BodyWith(fade::Blend blend) {
    return composer::ComposeBody(window.Text(ids::kMessageBox).text(), window.SelectedColourCount(),
                                 window.Colours(), false, blend);
  }
  std::string Body() {
    const auto ticked = [&](int n) { return window.Check(n).value() == 1; };
    const std::string prefix = composer::StylePrefix({ticked(1), ticked(2), ticked(3), ticked(4)});
    const std::string message = window.send_run().Message();
    EXPECT_TRUE(message.starts_with(prefix));
    return message.substr(prefix.size());
  }
};

TEST_F(ColourMenuTest, EveryPartOfThePanelOpensOneMenuWhoseItemsAScreenReaderCanTellApart) {
  std::vector<toolkit::Control*> parts = {&window.Option(7), &window.Picture(9),
                                          &window.HScroll(30), &window.Label(4),
                                          &window.Marker(5, 2)};
  for (toolkit::Control* part : parts) {
    backend.menuAnswers.push_back(std::nullopt);
    part->context_menu(toolkit::MenuPlace::Keyboard());
  }
  ASSERT_EQ(backend.menus.size(), parts.size());
  std::vector<std::string> captions;
  for (const testing::ShownMenuItem& item : LastMenu().items) captions.push_back(item.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"&Straight Blend", "&Even Blend", "&Vivid Blend",
                                                "&Presets", "&Reverse Colours", "",
                                                "Saved &Colours", "Save Colours &As\u2026",
                                                "&Delete Saved Colours", "", "Cop&y As"}));
  EXPECT_TRUE(LastMenu().items[0].checked);  // Straight at every start
  EXPECT_EQ(LastMenu().Find({"Presets"})->submenu.size(), 12u);
  EXPECT_FALSE(LastMenu().Find({"Saved Colours", "(none saved)"})->enabled);

  toolkit::Menu menu;
  window.colour_menu().Fill(menu, backend.formWindow);
  EXPECT_EQ(toolkit::MenuProblems(menu), std::vector<std::string>{});
}

TEST_F(ColourMenuTest, ABlendTicksItselfAndEverySendComposesWithIt) {
  window.Text(ids::kMessageBox).set_text("blended line");
  SetColour(1, {255, 0, 0});
  SetColour(2, {0, 255, 0});
  SetColour(3, {0, 0, 255});
  Choose(Path{"Vivid Blend"});
  EXPECT_EQ(window.blend(), fade::Blend::kVivid);
  EXPECT_EQ(Body(), BodyWith(fade::Blend::kVivid));
  EXPECT_NE(Body(), BodyWith(fade::Blend::kStraight));
  Choose(std::nullopt);
  EXPECT_TRUE(LastMenu().Find({"Vivid Blend"})->checked);
  EXPECT_FALSE(LastMenu().Find({"Straight Blend"})->checked);
}

TEST_F(ColourMenuTest, APresetSetsItsCountColoursAndBlendAsClicksWould) {
  Choose(Path{"Presets", "Glacier"});
  EXPECT_EQ(window.SelectedColourCount(), 2);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 2 Colors");
  EXPECT_EQ(ColourOf(1), (std::array{255, 255, 255}));
  EXPECT_EQ(ColourOf(2), (std::array{0, 140, 255}));
  EXPECT_EQ(window.Label(kColourRows[1].label[1]).caption(), "140");
  EXPECT_EQ(window.Picture(kColourRows[1].swatch).back_colour(), 0xFF8C00u);
  EXPECT_FALSE(window.Picture(kColourRows[2].swatch).is_visible());
  EXPECT_EQ(window.blend(), fade::Blend::kEven);

  Choose(Path{"Presets", "Prism"});
  EXPECT_EQ(window.SelectedColourCount(), 7);
  EXPECT_EQ(ColourOf(4), (std::array{0, 200, 60}));
  EXPECT_EQ(ColourOf(7), (std::array{180, 0, 255}));
  EXPECT_EQ(window.blend(), fade::Blend::kVivid);
}

TEST_F(ColourMenuTest, ReverseSwapsTheColoursOfTheCountSelectedEndForEnd) {
  window.Option(4).set_value(true);
  const std::array<std::array<int, 3>, 5> colours = {
      {{1, 2, 3}, {40, 50, 60}, {70, 80, 90}, {200, 210, 220}, {9, 9, 9}}};
  for (int k = 1; k <= 5; ++k) SetColour(k, colours[k - 1]);
  Choose(Path{"Reverse Colours"});
  EXPECT_EQ(ColourOf(1), colours[3]);
  EXPECT_EQ(ColourOf(2), colours[2]);
  EXPECT_EQ(ColourOf(3), colours[1]);
  EXPECT_EQ(ColourOf(4), colours[0]);
  EXPECT_EQ(ColourOf(5), colours[4]);  // beyond the count: untouched

  window.Option(3).set_value(true);
  Choose(Path{"Reverse Colours"});
  EXPECT_EQ(ColourOf(1), colours[1]);
  EXPECT_EQ(ColourOf(2), colours[2]);  // the middle one stays
  EXPECT_EQ(ColourOf(3), colours[3]);
}

TEST_F(ColourMenuTest, SavedColoursComeBackAndAreAskedBeforeTheyAreReplacedOrDeleted) {
  SetColour(1, {10, 20, 30});
  SetColour(2, {40, 50, 60});
  SetColour(3, {70, 80, 90});
  Choose(Path{"Even Blend"});
  dialogs.textAnswers.push_back("  Tea & Toast ");
  Choose(Path{"Save Colours As\u2026"});
  ASSERT_TRUE(settingsFile.bytes);
  EXPECT_NE(settingsFile.bytes->find("Name=Tea & Toast\r\n"), std::string::npos);
  EXPECT_NE(settingsFile.bytes->find("Colours=0A141E 28323C 46505A"), std::string::npos);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 3 Colors - Colours saved as \"Tea & Toast\"");

  // The same name again: the user is asked, and No leaves the file as it was.
  const std::string saved = *settingsFile.bytes;
  SetColour(1, {0, 0, 0});
  dialogs.textAnswers.push_back("Tea & Toast");
  dialogs.yesNoAnswers.push_back(false);
  Choose(Path{"Save Colours As\u2026"});
  EXPECT_EQ(*settingsFile.bytes, saved);

  Choose(Path{"Presets", "Prism"});
  Choose(Path{"Saved Colours", "Tea & Toast"});
  EXPECT_EQ(window.SelectedColourCount(), 3);
  EXPECT_EQ(ColourOf(1), (std::array{10, 20, 30}));
  EXPECT_EQ(ColourOf(3), (std::array{70, 80, 90}));
  EXPECT_EQ(window.blend(), fade::Blend::kEven);

  dialogs.yesNoAnswers.push_back(true);
  Choose(Path{"Delete Saved Colours", "Tea & Toast"});
  Choose(std::nullopt);
  EXPECT_NE(LastMenu().Find({"Saved Colours", "(none saved)"}), nullptr);
}

TEST_F(ColourMenuTest, AFileThatCannotBeReadIsNeverWrittenAndTheMenuSaysSo) {
  const std::string utf16 = std::string("\xFF\xFE[\0S\0", 6);
  settingsFile.bytes = utf16;
  dialogs.textAnswers.push_back("Mine");
  Choose(Path{"Save Colours As\u2026"});
  EXPECT_EQ(*settingsFile.bytes, utf16);
  EXPECT_EQ(window.form().caption(),
            "Vontra FX - 3 Colors - Not saved: vontrafx.ini is not UTF-8 text");
  EXPECT_FALSE(LastMenu().Find({"Saved Colours", "(saved colours unreadable)"})->enabled);
  EXPECT_NE(LastMenu().Find({"Delete Saved Colours", "(saved colours unreadable)"}), nullptr);
}

}  // namespace
}  // namespace vfx::ui
