#include "ui/main_window.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "fade/utf8.h"
#include "host/host.h"
#include "ui/announcements.h"
#include "ui/control_ids.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/preview.h"
#include "version.h"

namespace vfx::ui {

const char kHelpText[] =
    "The arrows are used for enlarging and shrinking the form. To get the next 5 colors, hit the "
    "Down arrow, and to get the HTML writer, hit the Right arrow. To send it to IMz go Down, and "
    "to the Right.  It will change the Send to Chat button a Send to IM button, allowing you to "
    "type the name in the IM Box of the person whom you wish to chat.   If you want to minimze "
    "the form, but still be able to type, DOUBLE CLICK the text area that you type in, this will "
    "shrink Vontra FX for you.";

const char kAboutText[] =
    "Vontra FX " VFX_VERSION_TEXT
    "\n\n"
    "A ten-colour text fader: type a line, pick up to ten colours and a few styles, and send it "
    "into the chat room or as an instant message, every character in its own colour.";

namespace {

using layout::Arrow;
using layout::Face;
using layout::Item;
using layout::Kind;
using toolkit::Form;

// The sizes the arrows and the double click move between, outer twips.
constexpr float kTallThreshold = 3400, kTallHeight = 3550, kBasicHeightFloor = 2315;
constexpr float kWideThreshold = 10000, kWideWidth = 10550, kBasicWidthFloor = 8050;
constexpr float kCompactThreshold = 3000, kCompactWidth = 2850, kCompactHeight = 1150;
constexpr float kRestoredWidth = 8100, kRestoredHeight = 2350;
constexpr float kGrowStep = 50, kShrinkStep = 25;

std::string CountCaption(int n) { return std::to_string(n) + (n == 1 ? " Color" : " Colors"); }

void Apply(toolkit::Control& control, const Item& item) {
  control.set_bounds(item.bounds);
  if (*item.caption) control.set_caption(item.caption);
  if (item.name) control.set_accessible_name(item.name);
  if (item.back != layout::kKindDefault) control.set_back_colour(item.back);
  if (item.fore != layout::kKindDefault) control.set_fore_colour(item.fore);
  control.set_enabled(item.enabled);
}

}  // namespace

ZiruZezuzo::ZiruZezuzo(Services services) : services_(services) {
  windowFont_ = ChooseWindowFont(services_.fonts);
  Build();
  Connect();
}

namespace {

toolkit::Font Styled(toolkit::Font font, Face face) {
  switch (face) {
    case Face::kWindow:
    case Face::kArrow:
      break;
    case Face::kBold:
      font.bold = true;
      break;
    case Face::kItalic:
      font.italic = true;
      break;
    case Face::kUnderline:
      font.underline = true;
      break;
    case Face::kStrike:
      font.strikethrough = true;
      break;
  }
  return font;
}

}  // namespace

void ZiruZezuzo::Build() {
  form_.set_caption(kAppTitle);
  form_.set_font(windowFont_);
  form_.set_back_colour(layout::kWindowGrey);
  form_.set_icon(kAppIcon);
  form_.set_client_size(layout::kClientWidth, layout::kClientHeight);
  form_.set_opens_lower_right({kWideWidth, kTallHeight});

  const ArrowGlyphs arrows = ChooseArrowGlyphs(services_.fonts, windowFont_);

  auto build = [&](const Item& item) {
    toolkit::Container& container =
        item.inFrame ? static_cast<toolkit::Container&>(*frame1_) : form_;
    const std::string number = std::to_string(item.number);
    toolkit::Control* control = nullptr;
    switch (item.kind) {
      case Kind::kCommandButton: {
        auto& button =
            container.add<toolkit::CommandButton>("Command" + number, ids::CommandId(item.number));
        button.set_style(item.graphical ? toolkit::CommandButton::Style::kGraphical
                                        : toolkit::CommandButton::Style::kStandard);
        commands_.at(item.number) = &button;
        control = &button;
        break;
      }
      case Kind::kCheckBox: {
        auto& box = container.add<toolkit::CheckBox>("Check" + number, ids::CheckId(item.number));
        box.set_initial_value(item.value);
        checks_.at(item.number) = &box;
        control = &box;
        break;
      }
      case Kind::kOptionButton: {
        auto& option =
            container.add<toolkit::OptionButton>("Option" + number, ids::OptionId(item.number));
        option.set_initial_value(item.value == 1);
        options_.at(item.number) = &option;
        control = &option;
        break;
      }
      case Kind::kTextBox: {
        auto& text = container.add<toolkit::TextBox>("Text" + number, ids::TextId(item.number));
        text.set_multi_line(item.multiLine);
        texts_.at(item.number) = &text;
        control = &text;
        break;
      }
      case Kind::kFrame:
        frame1_ = &container.add<toolkit::Frame>("Frame" + number, ids::kFrame1);
        control = frame1_;
        break;
      case Kind::kImage:
        image1_ = &container.add<toolkit::Image>("Image" + number, ids::kImage1);
        image1_->set_picture(kImage1Picture);
        control = image1_;
        break;
      case Kind::kHScrollBar:
      case Kind::kLabel:
      case Kind::kPictureBox:
        return;  // the colour panel's, built by its rule
    }
    Apply(*control, item);
    if (item.arrow != Arrow::kNone) {
      control->set_font(arrows.font);
      control->set_caption(arrows.of(item.arrow));
      if (arrows.triangles)
        commands_.at(item.number)
            ->set_arrowhead(static_cast<toolkit::CommandButton::Arrowhead>(
                static_cast<int>(toolkit::CommandButton::Arrowhead::kUp) +
                static_cast<int>(item.arrow) - static_cast<int>(Arrow::kUp)));
    } else if (item.face != Face::kWindow) {
      control->set_font(Styled(windowFont_, item.face));
    }
  };

  for (const Item& item : layout::TopControls()) build(item);
  BuildColourPanel();
  for (const Item& item : layout::OuterControls()) build(item);

  form_.set_default_button(commands_[1]);
  Text(1).set_focus();
}

void ZiruZezuzo::BuildColourPanel() {
  const toolkit::Font bold = Styled(windowFont_, Face::kBold);
  // The ten options first and side by side: one group of the tab order, in which the arrow
  // keys move.
  for (int k = 1; k <= kColourCount; ++k) {
    const int n = kColourGroups[k - 1].option;
    auto& option = form_.add<toolkit::OptionButton>("Option" + std::to_string(n), ids::OptionId(n));
    option.set_bounds(layout::PanelOf(k).option);
    option.set_caption(CountCaption(k));
    option.set_font(bold);
    option.set_back_colour(layout::kWindowGrey);
    options_.at(n) = &option;
  }
  static constexpr const char* kComponentNames[] = {"red", "green", "blue"};
  for (int k = 1; k <= kColourCount; ++k) {
    const ColourGroup& group = kColourGroups[k - 1];
    const layout::ColourPanel panel = layout::PanelOf(k);
    const std::string colourName = "Colour " + std::to_string(k);

    auto& swatch = form_.add<toolkit::PictureBox>("Picture" + std::to_string(group.swatch),
                                                  ids::PictureId(group.swatch));
    swatch.set_bounds(panel.swatch);
    swatch.set_back_colour(layout::kBlack);
    swatch.set_accessible_name(colourName);
    swatches_.at(group.swatch) = &swatch;

    // The markers first: their squares overlap the end of the bars by a little.
    for (int c = kRed; c <= kBlue; ++c) {
      const int array = 3 + c;
      auto& marker = form_.add<toolkit::PictureBox>(
          "Picture" + std::to_string(array) + "(" + std::to_string(k - 1) + ")",
          ids::MarkerId(array, k - 1));
      marker.set_bounds(panel.marker[c]);
      marker.set_back_colour(layout::kMarkerColours[c]);
      marker.set_accessible_name(kComponentNames[c]);
      markers_[c][k - 1] = &marker;
    }
    for (int c = kRed; c <= kBlue; ++c) {
      const int n = group.bar[c];
      auto& bar = form_.add<toolkit::HScrollBar>("HScroll" + std::to_string(n), ids::HScrollId(n));
      bar.set_bounds(panel.bar[c]);
      bar.set_range(0, 255);
      bar.set_steps(1, 16);
      bar.set_accessible_name(colourName + " " + kComponentNames[c]);
      bars_.at(n) = &bar;
    }
    for (int c = kRed; c <= kBlue; ++c) {
      const int n = group.label[c];
      auto& label = form_.add<toolkit::Label>("Label" + std::to_string(n), ids::LabelId(n));
      label.set_bounds(panel.label[c]);
      label.set_font(bold);
      label.set_fore_colour(layout::kLabelColours[c]);
      label.set_back_colour(layout::kLabelBack);
      labels_.at(n) = &label;
    }
  }
}

void ZiruZezuzo::Connect() {
  Command(1).on_click = [this] { sendRun_.Command1_Click(); };
  Command(2).on_click = [this] { Command2_Click(); };
  Command(3).on_click = [this] { Command3_Click(); };
  Command(4).on_click = [this] { Command4_Click(); };
  Command(5).on_click = [this] { Command5_Click(); };
  Command(6).on_click = [this] { Command6_Click(); };
  Command(7).on_click = [this] { Command7_Click(); };
  Command(8).on_click = [this] { Command8_Click(); };
  Command(9).on_click = [this] { sendRun_.Command9_Click(); };
  Command(10).on_click = [this] { Command10_Click(); };
  Command(11).on_click = [this] { sendRun_.Command11_Click(); };
  Command(12).on_click = [this] { Command12_Click(); };
  Command(13).on_click = [this] { Command13_Click(); };

  // The preview follows everything the message is composed from: the line, the colours, their
  // count and the style boxes. It is only marked here; the box asks for it when it draws.
  Text(1).set_look_source([this] { return Text1_Look(); });
  Text(1).on_change = [this] { Text(1).look_changed(); };
  for (int n : {1, 2, 3, 4, 5, 6, 8})
    Check(n).on_click = [this, n] {
      Check_Click(n);
      if (n <= 5) Text(1).look_changed();
    };
  Check(7).on_click = [this] { Check7_Click(); };
  // Check9 "Attention" has no handler: ticking it only changes its value.

  for (int n = 1; n <= 30; ++n)
    HScroll(n).on_change = [this, n] {
      HScroll_Change(n);
      Text(1).look_changed();
    };
  for (int n = 1; n <= 10; ++n)
    Option(n).on_click = [this, n] {
      Option_Click(n);
      Text(1).look_changed();
    };
  Option(11).on_click = [this] { sendRun_.Option11_Click(); };
  Option(12).on_click = [this] { sendRun_.Option12_Click(); };

  Text(1).on_double_click = [this] { Text1_DblClick(); };
  // From the moment the window starts to unload, every wait returns at once.
  form_.on_unload = [this] { services_.platform.events.MarkEnding(); };
  Image1().on_click = [this] { Image1_Click(); };
  statusTimer_.on_elapsed = [this] { TakeStatusDown(); };
}

std::vector<toolkit::CharacterLook> ZiruZezuzo::Text1_Look() {
  const std::string& line = Text(1).text();
  // A line past the limit is drawn plainly; composing it would be wasted.
  if (fade::CharacterCount(line) > kPreviewLimit) return {};
  return PreviewLook(line, sendRun_.Message());
}

fade::Rgb ZiruZezuzo::Colour(int k) {
  const ColourGroup& group = kColourGroups.at(k - 1);
  return {HScroll(group.bar[kRed]).value(), HScroll(group.bar[kGreen]).value(),
          HScroll(group.bar[kBlue]).value()};
}

int ZiruZezuzo::SelectedColourCount() {
  for (int k = 1; k <= kColourCount; ++k)
    if (Option(kColourGroups[k - 1].option).value()) return k;
  return 0;
}

std::array<fade::Rgb, 10> ZiruZezuzo::Colours() {
  std::array<fade::Rgb, 10> colours;
  for (int k = 1; k <= kColourCount; ++k) colours[k - 1] = Colour(k);
  return colours;
}

bool ZiruZezuzo::IsTicked(composer::SendOption box) {
  using composer::SendOption;
  int n = 0;
  switch (box) {
    case SendOption::kBold:
      n = 1;
      break;
    case SendOption::kItalics:
      n = 2;
      break;
    case SendOption::kUnderline:
      n = 3;
      break;
    case SendOption::kStrike:
      n = 4;
      break;
    case SendOption::kWavy:
      n = 5;
      break;
    case SendOption::kClearText:
      n = 6;
      break;
    case SendOption::kRandom:
      n = 8;
      break;
    case SendOption::kAttention:
      n = 9;
      break;
  }
  return n != 0 && Check(n).value() == toolkit::CheckBox::kChecked;
}

// The trouble shows after the caption, without a box and without taking the focus, until the
// timer takes it down, the next delivery succeeds or the colour count sets a new caption.
void ZiruZezuzo::ShowDeliveryStatus(composer::DeliveryStatus status) {
  const std::string_view text = composer::DeliveryStatusText(status);
  if (text.empty()) {
    TakeStatusDown();
    return;
  }
  if (!statusShowing_) captionWithoutStatus_ = form_.caption();
  statusShowing_ = true;
  form_.set_caption(captionWithoutStatus_ + " - " + std::string(text));
  statusTimer_.start(kStatusSeconds);
}

void ZiruZezuzo::TakeStatusDown() {
  statusTimer_.stop();
  if (!statusShowing_) return;
  statusShowing_ = false;
  form_.set_caption(captionWithoutStatus_);
}

void ZiruZezuzo::SetCaption(std::string caption) {
  statusTimer_.stop();
  statusShowing_ = false;
  form_.set_caption(caption);
}

void ZiruZezuzo::Form_Load() {
  OnTopSuspended = false;
  send_state.AttentionBanner = std::string(composer::AttentionBanner());
  send_state.ViewHtml = false;

  Option(2).set_value(true);
  // Every bar is 0 here: the swatches start black.
  Picture(1).set_back_colour(toolkit::ColourValue(Colour(1)));
  for (int n : {2, 6, 7, 8, 9, 10, 11, 12, 13})
    Picture(n).set_back_colour(toolkit::ColourValue(Colour(2)));
  for (int n : {7, 10, 15}) HScroll(n).set_value(0);

  // The announcements are the add-on's own greeting: with no chat room open, or a host that does
  // not answer, the add-on starts all the same, and no typed line is at stake.
  const platform::Platform& platform = services_.platform;
  const fade::Rgb colour = announcements::DrawColour(random.component);
  const std::string firstLine = announcements::StartupFirstLine(colour);
  (void)host::SendChat(platform, announcements::kBlankLine);
  if (!PauseGoesOn(0.1)) return;
  (void)host::SendChat(platform, firstLine);
  if (!PauseGoesOn(0.3)) return;
  const std::string secondLine = announcements::StartupSecondLine(colour);
  (void)host::SendChat(platform, secondLine + host::GetSignedOnName(platform.desktop));
  if (!PauseGoesOn(0.1)) return;

  Check7_Click();
  Check(7).set_value(1);
  Option_Click(3);
  Option(3).set_value(true);
  for (int i = 0; i < 3; ++i) Check7_Click();
  host::NotOnTop(services_.platform.desktop, form_.native_handle());
  host::StayOnTop(services_.platform.desktop, form_.native_handle());
}

void ZiruZezuzo::HScroll_Change(int n) {
  const BarPlace place = FindBar(n);
  const ColourGroup& group = kColourGroups.at(place.colour - 1);
  Label(group.label[place.component]).set_caption(std::to_string(HScroll(n).value()));
  Picture(group.swatch).set_back_colour(toolkit::ColourValue(Colour(place.colour)));
}

void ZiruZezuzo::Option_Click(int n) {
  SetCaption(std::string(kAppTitle) + " - " + CountCaption(n));
  if (n < kColourCount) DisableColors();
  for (int k = 1; k <= n; ++k) Enable(k);
}

void ZiruZezuzo::DisableColors() {
  for (int n : {1, 2, 6, 7, 8, 9, 10, 11, 12, 13}) Picture(n).set_visible(false);
  for (int n = 1; n <= 30; ++n) HScroll(n).set_enabled(false);
  for (int n = 1; n <= 30; ++n) Label(n).set_enabled(false);
}

void ZiruZezuzo::Enable(int n) {
  const ColourGroup& group = kColourGroups.at(n - 1);
  Picture(group.swatch).set_visible(true);
  for (Component c : ComponentsInBarOrder(n)) HScroll(group.bar[c]).set_enabled(true);
  // Labels by their own numbers, lowest first, as the bars.
  std::array<int, 3> labels = group.label;
  std::sort(labels.begin(), labels.end());
  for (int label : labels) Label(label).set_enabled(true);
}

void ZiruZezuzo::Command5_Click() {
  for (int k = 1; k <= kColourCount; ++k) {
    bool takesPart = false;
    for (int j = k; j <= kColourCount; ++j) takesPart = takesPart || Option(j).value();
    if (!takesPart) continue;
    const ColourGroup& group = kColourGroups[k - 1];
    for (Component c : ComponentsInBarOrder(k)) {
      toolkit::HScrollBar& bar = HScroll(group.bar[c]);
      toolkit::Label& label = Label(group.label[c]);
      const int r = random.component();
      for (int i = 1; i <= r; ++i) {
        random.reseed();
        bar.set_value(static_cast<std::int16_t>(i));
        label.set_caption(std::to_string(i));
      }
    }
  }
}

void ZiruZezuzo::Check_Click(int) { Text(1).set_focus(); }

void ZiruZezuzo::Check7_Click() {
  if (Check(7).value() == 0)
    host::NotOnTop(services_.platform.desktop, form_.native_handle());
  else
    host::StayOnTop(services_.platform.desktop, form_.native_handle());
}

void ZiruZezuzo::Command2_Click() { form_.set_window_state(Form::WindowState::kMinimized); }

bool ZiruZezuzo::PauseGoesOn(double seconds) {
  host::Pause(services_.platform.events, seconds);
  return !Ending();
}

void ZiruZezuzo::Command6_Click() {
  // A second Exit pressed during the first one's pause would only announce the end twice.
  if (exiting_ || Ending()) return;
  exiting_ = true;
  // Whatever waits to be delivered is dropped: the closing lines are the last the host hears.
  // A delivery that this click interrupted ends with the window, before its next line.
  sendRun_.Close();
  // Fire and forget, as at start-up: the add-on ends whether or not the room hears it.
  const platform::Platform& platform = services_.platform;
  const fade::Rgb colour = announcements::DrawColour(random.component);
  (void)host::SendChat(platform, announcements::ExitFirstLine(colour));
  if (!PauseGoesOn(0.3)) return;
  (void)host::SendChat(
      platform, announcements::ExitSecondLine(colour) + host::GetSignedOnName(platform.desktop));
  form_.unload();
}

void ZiruZezuzo::Command3_Click() {
  if (Ending()) return;
  // Its two lines take their turn behind the Sends already asked for, so that they never land
  // between a message and its attention banners.
  const std::array<std::string, 2> lines =
      announcements::AdvertiseLines(announcements::DrawColour(random.component));
  sendRun_.Announce({lines[0], lines[1]});
}

void ZiruZezuzo::Command4_Click() {
  if (Ending()) return;
  SetCaption(kSelfTestCaptions[0]);
  if (!PauseGoesOn(0.5)) return;
  for (int n = 1; n <= 30; ++n) HScroll(n).set_value(0);
  for (int n : {1, 2, 3, 4, 5, 6, 8}) Check(n).set_value(0);
  Text(1).set_text("");
  if (!PauseGoesOn(1)) return;

  SetCaption(kSelfTestCaptions[1]);
  if (!PauseGoesOn(0.5)) return;
  for (int n : {1, 2, 6}) Check(n).set_value(1);
  if (!PauseGoesOn(3)) return;

  SetCaption(kSelfTestCaptions[2]);
  if (!PauseGoesOn(0.5)) return;
  Command5_Click();
  if (!PauseGoesOn(2)) return;

  SetCaption(kSelfTestCaptions[3]);
  if (!PauseGoesOn(0.5)) return;
  Text(1).set_text(kSelfTestSample);
  if (!PauseGoesOn(2)) return;

  SetCaption(kSelfTestCaptions[4]);
  sendRun_.Command1_Click();
  if (Ending() || !PauseGoesOn(2)) return;
  SetCaption(kSelfTestCaptions[5]);
}

void ZiruZezuzo::ShowBox(const char* text) {
  if (Check(7).value() == 1) {
    Check(7).set_value(0);
    OnTopSuspended = true;
  }
  services_.dialogs.ShowMessage(form_.native_handle(), kAppTitle, text);
  if (OnTopSuspended) {
    Check(7).set_value(1);
    OnTopSuspended = false;
  }
}

void ZiruZezuzo::Command10_Click() { ShowBox(kHelpText); }
void ZiruZezuzo::Image1_Click() { ShowBox(kAboutText); }

void ZiruZezuzo::Command7_Click() {
  const float height = form_.height();
  if (height < kTallThreshold) {
    for (float v = height; v <= kTallHeight; v += kGrowStep) form_.set_height(v);
    Command(13).set_enabled(true);
    Command(7).set_enabled(false);
  }
  Text(1).set_focus();
}

void ZiruZezuzo::Command13_Click() {
  const float height = form_.height();
  if (height > kTallThreshold) {
    // The count of the heights 2315, 2340, ... that do not exceed the start.
    const int steps = static_cast<int>(std::floor((height - kBasicHeightFloor) / kShrinkStep)) + 1;
    for (int i = 0; i < steps; ++i) form_.set_height(form_.height() - kShrinkStep);
    Command(13).set_enabled(false);
    Command(7).set_enabled(true);
  }
  Text(1).set_focus();
}

void ZiruZezuzo::Command8_Click() {
  const float width = form_.width();
  if (width < kWideThreshold) {
    for (float v = width; v <= kWideWidth; v += kGrowStep) form_.set_width(v);
    Command(8).set_enabled(false);
    Command(12).set_enabled(true);
  }
  Text(1).set_focus();
}

void ZiruZezuzo::Command12_Click() {
  const float width = form_.width();
  if (width > kWideThreshold) {
    const int steps = static_cast<int>(std::floor((width - kBasicWidthFloor) / kShrinkStep)) + 1;
    for (int i = 0; i < steps; ++i) form_.set_width(form_.width() - kShrinkStep);
    Command(8).set_enabled(true);
    Command(12).set_enabled(false);
  }
  Text(1).set_focus();
}

void ZiruZezuzo::Text1_DblClick() {
  Command(7).set_enabled(true);
  Command(8).set_enabled(true);
  Command(12).set_enabled(false);
  Command(13).set_enabled(false);
  const float width = form_.width(), height = form_.height();
  if (width > kCompactThreshold) {
    for (float v = width; v >= kCompactWidth; v -= kGrowStep) form_.set_width(v);
    for (float v = height; v >= kCompactHeight; v -= kGrowStep) form_.set_height(v);
  } else {
    for (float v = width; v <= kRestoredWidth; v += kGrowStep) form_.set_width(v);
    for (float v = height; v <= kRestoredHeight; v += kGrowStep) form_.set_height(v);
  }
}

}  // namespace vfx::ui
