#include "ui/layout.h"

#include "ui/main_window.h"

namespace vfx::ui::layout {
namespace {

using composer::kStyleRows;
using composer::SendOption;

// clang-format off
constexpr Item kTopControls[] = {
    {.kind = Kind::kTextBox, .number = 1, .bounds = {120, 120, 2552, 612}, .face = Face::kBold,
     .back = kLightGrey, .multiLine = true, .name = "Message"},

    {.kind = Kind::kCommandButton, .number = 1, .bounds = {6720, 0, 1212, 325},
     .caption = "Send to Chat", .back = kWindowGrey, .graphical = true,
     .onClick = &ZiruZezuzo::Command1_Click},
    {.kind = Kind::kCommandButton, .number = 2, .bounds = {6720, 325, 1212, 325},
     .caption = "Minimize", .back = kWindowGrey, .graphical = true,
     .onClick = &ZiruZezuzo::Command2_Click},
    {.kind = Kind::kCommandButton, .number = 3, .bounds = {6720, 650, 1212, 325},
     .caption = "Advertise", .back = kWindowGrey, .graphical = true,
     .onClick = &ZiruZezuzo::Command3_Click},
    {.kind = Kind::kCommandButton, .number = 4, .bounds = {6720, 975, 1212, 325},
     .caption = "Self Test", .back = kWindowGrey, .graphical = true,
     .onClick = &ZiruZezuzo::Command4_Click},
    {.kind = Kind::kCommandButton, .number = 5, .bounds = {6720, 1300, 1212, 325},
     .caption = "Randomize", .back = kWindowGrey, .graphical = true,
     .onClick = &ZiruZezuzo::Command5_Click},
    {.kind = Kind::kCommandButton, .number = 6, .bounds = {6720, 1625, 1212, 325},
     .caption = "Exit", .back = kWindowGrey, .graphical = true,
     .onClick = &ZiruZezuzo::Command6_Click},

    {.kind = Kind::kCommandButton, .number = 13, .bounds = {6480, 40, 200, 215},
     .face = Face::kArrow, .back = kLightGrey, .graphical = true, .enabled = false,
     .arrow = Arrow::kUp, .name = "Up",
     .onClick = &ZiruZezuzo::Command13_Click},
    {.kind = Kind::kCommandButton, .number = 7, .bounds = {6480, 280, 200, 215},
     .face = Face::kArrow, .back = kLightGrey, .graphical = true, .arrow = Arrow::kDown,
     .name = "Down",
     .onClick = &ZiruZezuzo::Command7_Click},
    {.kind = Kind::kCommandButton, .number = 12, .bounds = {6240, 520, 200, 215},
     .face = Face::kArrow, .back = kLightGrey, .graphical = true, .enabled = false,
     .arrow = Arrow::kLeft, .name = "Left",
     .onClick = &ZiruZezuzo::Command12_Click},
    {.kind = Kind::kCommandButton, .number = 8, .bounds = {6480, 520, 200, 215},
     .face = Face::kArrow, .back = kLightGrey, .graphical = true, .arrow = Arrow::kRight,
     .name = "Right",
     .onClick = &ZiruZezuzo::Command8_Click},
    {.kind = Kind::kCommandButton, .number = 10, .bounds = {6480, 760, 200, 228}, .caption = "?",
     .face = Face::kBold, .back = kLightGrey, .graphical = true, .name = "Help",
     .onClick = &ZiruZezuzo::Command10_Click},

    {.kind = Kind::kCheckBox, .number = 1, .bounds = {2880, 0, 1092, 312},
     .back = kWindowGrey, .fore = kBlack, .value = 1,
     .onClick = &ZiruZezuzo::Check_Click, .style = &kStyleRows[0], .restyles = true},
    {.kind = Kind::kCheckBox, .number = 2, .bounds = {2880, 240, 1092, 252},
     .back = kWindowGrey, .fore = kBlack,
     .onClick = &ZiruZezuzo::Check_Click, .style = &kStyleRows[1], .restyles = true},
    {.kind = Kind::kCheckBox, .number = 5, .bounds = {2880, 480, 1092, 252}, .caption = "&Wavy",
     .back = kWindowGrey, .fore = kBlack,
     .onClick = &ZiruZezuzo::Check_Click, .sends = SendOption::kWavy, .restyles = true},
    {.kind = Kind::kCheckBox, .number = 3, .bounds = {4080, 0, 1092, 252},
     .back = kWindowGrey, .fore = kBlack,
     .onClick = &ZiruZezuzo::Check_Click, .style = &kStyleRows[2], .restyles = true},
    {.kind = Kind::kCheckBox, .number = 4, .bounds = {4080, 240, 1092, 252},
     .back = kWindowGrey, .fore = kBlack,
     .onClick = &ZiruZezuzo::Check_Click, .style = &kStyleRows[3], .restyles = true},
    {.kind = Kind::kCheckBox, .number = 8, .bounds = {4080, 480, 1092, 252},
     .caption = "&Random", .back = kWindowGrey,
     .onClick = &ZiruZezuzo::Check_Click, .sends = SendOption::kRandom},
    {.kind = Kind::kCheckBox, .number = 9, .bounds = {5280, 0, 1092, 252},
     .caption = "Attention",
     .sends = SendOption::kAttention},
    {.kind = Kind::kCheckBox, .number = 6, .bounds = {5280, 240, 1092, 252},
     .caption = "&Clear Text", .back = kWindowGrey, .fore = kBlack, .value = 1,
     .onClick = &ZiruZezuzo::Check_Click, .sends = SendOption::kClearText},
    {.kind = Kind::kCheckBox, .number = 7, .bounds = {5280, 480, 1092, 252},
     .caption = "On Top", .back = kWindowGrey,
     .onClick = &ZiruZezuzo::Check7_Click},
};

constexpr Item kOuterControls[] = {
    {.kind = Kind::kTextBox, .number = 2, .bounds = {8040, 120, 2292, 1332},
     .back = kLightGrey, .multiLine = true, .name = "HTML writer"},
    {.kind = Kind::kCommandButton, .number = 9, .bounds = {8640, 1560, 1092, 325},
     .caption = "View HTML",
     .onClick = &ZiruZezuzo::Command9_Click},

    {.kind = Kind::kFrame, .number = 1, .bounds = {7080, 2040, 3252, 1092},
     .caption = "IM Send"},
    {.kind = Kind::kTextBox, .number = 3, .bounds = {120, 240, 1572, 288},
     .caption = "To Whom?", .inFrame = true, .name = "Recipient"},
    {.kind = Kind::kOptionButton, .number = 11, .bounds = {120, 720, 1452, 252},
     .caption = "Send to Room ", .value = 1, .inFrame = true,
     .onClick = &ZiruZezuzo::Option11_Click},
    {.kind = Kind::kOptionButton, .number = 12, .bounds = {1920, 720, 1212, 252},
     .caption = "IM Send", .inFrame = true,
     .onClick = &ZiruZezuzo::Option12_Click},
    // Its top lies 12 twips above the frame's bottom edge: the frame shows only that strip.
    {.kind = Kind::kCommandButton, .number = 11, .bounds = {600, 1080, 1212, 252},
     .caption = "Send", .inFrame = true,
     .onClick = &ZiruZezuzo::Command11_Click},
    {.kind = Kind::kImage, .number = 1, .bounds = {2280, 240, 492, 372}, .inFrame = true,
     .name = "About",
     .onClick = &ZiruZezuzo::Image1_Click},
};
// clang-format on

}  // namespace

std::span<const Item> TopControls() { return kTopControls; }
std::span<const Item> OuterControls() { return kOuterControls; }

ColourPanel PanelOf(int colour) {
  const int column = (colour - 1) % 5;
  const int x = 120 + 1320 * column;
  const int band = colour <= 5 ? 0 : 1200;  // the lower band lies 1200 twips further down
  // The column at x 1440 has its labels a little further apart.
  const int greenOffset = column == 1 ? 435 : 425;
  const int blueOffset = column == 1 ? 864 : 840;

  ColourPanel panel;
  panel.option = {x, 840 + band, 1212, 192};
  panel.swatch = {x, 1080 + band, 1212, 252};
  for (int c = 0; c < 3; ++c) {
    panel.bar[c] = {x, 1320 + 120 * c + band, 1092, 132};
    panel.marker[c] = {x + 1080, 1320 + 120 * c + band, 132, 132};
  }
  panel.label[0] = {x, 1680 + band, 408, 252};
  panel.label[1] = {x + greenOffset, 1680 + band, 408, 252};
  panel.label[2] = {x + blueOffset, 1680 + band, 408, 252};
  return panel;
}

}  // namespace vfx::ui::layout
