#include "ui/main_window.h"

#include <algorithm>
#include <string>

#include "host/host.h"
#include "text/utf8.h"
#include "ui/announcements.h"
#include "ui/fonts.h"
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

ZiruZezuzo::ZiruZezuzo(Services services) : services_(services) {
  windowFont_ = ChooseWindowFont(services_.fonts);
  Build();
}

std::vector<toolkit::CharacterLook> ZiruZezuzo::Text1_Look() {
  const std::string& line = Text(ids::kMessageBox).text();
  // A line past the limit is drawn plainly; composing it would be wasted.
  if (text::CharacterCount(line) > kPreviewLimit) return {};
  return PreviewLook(line, sendRun_.Message());
}

std::array<fade::Rgb, 10> ZiruZezuzo::Colours() {
  std::array<fade::Rgb, 10> colours;
  for (int k = 1; k <= kColourCount; ++k) colours[k - 1] = panel_.Colour(k);
  return colours;
}

CopySource ZiruZezuzo::CopySourceNow() {
  using composer::SendOption;
  CopySource source{.line = TypedLine(), .blend = blend_};
  const std::array<fade::Rgb, 10> colours = Colours();
  source.colours.assign(colours.begin(),
                        colours.begin() + std::clamp(SelectedColourCount(), 0, 10));
  source.styles = {.bold = IsTicked(SendOption::kBold),
                   .italic = IsTicked(SendOption::kItalics),
                   .underline = IsTicked(SendOption::kUnderline),
                   .strike = IsTicked(SendOption::kStrike)};
  source.wavy = IsTicked(SendOption::kWavy);
  return source;
}

void ZiruZezuzo::set_blend(fade::Blend blend) {
  if (blend == blend_) return;
  blend_ = blend;
  Text(ids::kMessageBox).look_changed();
}

void ZiruZezuzo::ShowDeliveryStatus(composer::DeliveryStatus status) {
  ShowStatus(composer::DeliveryStatusText(status));
}

// The trouble shows after the caption, without a box and without taking the focus, until the
// timer takes it down, the next delivery succeeds or the colour count sets a new caption.
void ZiruZezuzo::ShowStatus(std::string_view text) {
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
  sendState.AttentionBanner = std::string(composer::AttentionBanner());
  sendState.ViewHtml = false;

  panel_.CountOption(2).set_value(true);
  // Every bar is 0 here: the swatches start black.
  panel_.PaintSwatchesFromTheFirstTwo();

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
  Check(ids::kOnTop).set_value(1);
  Option_Click(3);
  panel_.CountOption(3).set_value(true);
  for (int i = 0; i < 3; ++i) Check7_Click();
  host::NotOnTop(services_.platform.desktop, form_.native_handle());
  host::StayOnTop(services_.platform.desktop, form_.native_handle());
  fadeKey_.Start();
}

void ZiruZezuzo::Check7_Click() {
  if (Check(ids::kOnTop).value() == 0)
    host::NotOnTop(services_.platform.desktop, form_.native_handle());
  else
    host::StayOnTop(services_.platform.desktop, form_.native_handle());
}

void ZiruZezuzo::Command2_Click() {
  form_.set_window_state(toolkit::Form::WindowState::kMinimized);
}

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

const ZiruZezuzo::SelfTestStep ZiruZezuzo::kSelfTestScript[] = {
    {kSelfTestCaptions[0], 0.5, &ZiruZezuzo::ResetAttributes, 1},
    {kSelfTestCaptions[1], 0.5, &ZiruZezuzo::TickBoldItalicsAndClearText, 3},
    {kSelfTestCaptions[2], 0.5, &ZiruZezuzo::Command5_Click, 2},
    {kSelfTestCaptions[3], 0.5, &ZiruZezuzo::TypeSample, 2},
    {kSelfTestCaptions[4], 0, &ZiruZezuzo::Command1_Click, 2},
    {kSelfTestCaptions[5], 0, nullptr, 0},
};

void ZiruZezuzo::Command4_Click() {
  if (Ending()) return;
  for (const SelfTestStep& step : kSelfTestScript) {
    SetCaption(step.caption);
    if (!PauseGoesOn(step.settle)) return;
    if (step.action) (this->*step.action)();
    if (!PauseGoesOn(step.hold)) return;
  }
}

// Every bar to 0 and every style box unticked, each in the order of its number; On Top and
// Attention stay as they are.
void ZiruZezuzo::ResetAttributes() {
  using Kind = toolkit::Control::Kind;
  controls_.ForEach(Kind::kHScrollBar, [](const auto&, const ControlRegistry::Entry& entry) {
    static_cast<toolkit::HScrollBar*>(entry.control)->set_value(0);
  });
  controls_.ForEach(Kind::kCheckBox, [](const auto&, const ControlRegistry::Entry& entry) {
    const std::optional<composer::SendOption> option = entry.item->Sends();
    if (option && option != composer::SendOption::kAttention)
      static_cast<toolkit::CheckBox*>(entry.control)->set_value(0);
  });
  Text(ids::kMessageBox).set_text("");
}

void ZiruZezuzo::TickBoldItalicsAndClearText() {
  using composer::SendOption;
  for (SendOption option : {SendOption::kBold, SendOption::kItalics, SendOption::kClearText})
    controls_.Box(option).set_value(1);
}

void ZiruZezuzo::ShowBox(const char* text) {
  if (Check(ids::kOnTop).value() == 1) {
    Check(ids::kOnTop).set_value(0);
    OnTopSuspended = true;
  }
  services_.dialogs.ShowMessage(form_.native_handle(), kAppTitle, text);
  if (OnTopSuspended) {
    Check(ids::kOnTop).set_value(1);
    OnTopSuspended = false;
  }
}

}  // namespace vfx::ui
