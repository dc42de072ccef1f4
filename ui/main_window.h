// ZiruZezuzo, the add-on's main window: every control, built from the layout tables and kept in
// one registry, every handler by its name (the colour panel's, the sizer's and the Send run's
// forward to their units), the status caption, start-up, Exit, Advertise and Self Test. The
// window gives the Send run its controls through composer::SendWindow.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "composer/send_run.h"
#include "composer/send_window.h"
#include "fade/fade.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/platform.h"
#include "platform/settings_file.h"
#include "settings/store.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"
#include "ui/colour_menu.h"
#include "ui/colour_panel.h"
#include "ui/control_registry.h"
#include "ui/copy_as.h"
#include "ui/fade_key.h"
#include "ui/window_sizer.h"

namespace vfx::ui {

struct ArrowGlyphs;

inline constexpr char kAppTitle[] = "Vontra FX";
// The pictures of the window's icon and of Image1, by the names the native side knows.
inline constexpr char kAppIcon[] = "app";
inline constexpr char kImage1Picture[] = "image1";

extern const char kHelpText[];
extern const char kAboutText[];

// What Self Test shows in the caption, step by step, and the line it types and sends.
inline constexpr std::array<const char*, 6> kSelfTestCaptions = {
    "Resetting all Attributes",
    "Changing Attributes to Bold and Italics and to Remove the text once Sent",
    "Setting Colors to Random RGBs",
    "Entering Text to Send",
    "Pushing the Send to Chat Button",
    "Vontra FX",
};
inline constexpr char kSelfTestSample[] = "<//~~ using [Vontra \u0192X] \u00DFy: Zarnok";

class ZiruZezuzo final : public composer::SendWindow {
 public:
  struct Services {
    platform::Platform platform;
    platform::Dialogs& dialogs;
    platform::Fonts& fonts;
    platform::SettingsFile& settingsFile;  // vontrafx.ini, the saved colours
    platform::Clipboard& clipboard;        // Copy As
  };
  using RandomSource = ui::RandomSource;

  explicit ZiruZezuzo(Services services);
  ZiruZezuzo(const ZiruZezuzo&) = delete;
  ZiruZezuzo& operator=(const ZiruZezuzo&) = delete;

  toolkit::Form& form() { return form_; }

  // The controls by their names' numbers.
  toolkit::CommandButton& Command(int n) { return controls_.Command(n); }
  toolkit::CheckBox& Check(int n) { return controls_.Check(n); }
  toolkit::HScrollBar& HScroll(int n) { return controls_.HScroll(n); }
  toolkit::Label& Label(int n) { return controls_.Label(n); }
  toolkit::OptionButton& Option(int n) { return controls_.Option(n); }
  // The swatches Picture1, Picture2, Picture6 .. Picture13.
  toolkit::PictureBox& Picture(int n) { return controls_.Picture(n); }
  // The marker squares: Picture3 (red), Picture4 (green), Picture5 (blue), index 0 .. 9.
  toolkit::PictureBox& Marker(int array, int index) { return controls_.Marker(array, index); }
  toolkit::TextBox& Text(int n) { return controls_.Text(n); }
  // The same by the controls' roles: Command(ids::kSend), Check(ids::kOnTop),
  // Text(ids::kRecipient).
  toolkit::CommandButton& Command(ids::CommandRole role) { return controls_.Command(role); }
  toolkit::CheckBox& Check(ids::CheckRole role) { return controls_.Check(role); }
  toolkit::OptionButton& Option(ids::OptionRole role) { return controls_.Option(role); }
  toolkit::TextBox& Text(ids::TextRole role) { return controls_.Text(role); }
  toolkit::Frame& Frame1() {
    return controls_.Get<toolkit::Frame>(toolkit::Control::Kind::kFrame, 1);
  }
  toolkit::Image& Image1() {
    return controls_.Get<toolkit::Image>(toolkit::Control::Kind::kImage, 1);
  }

  // Colour k (1 to 10) as its three bars hold it, read through the colour-to-control table.
  fade::Rgb Colour(int k) { return panel_.Colour(k); }

  // How the colours blend into one another: Straight at every start; the colour panel's menu
  // chooses another.
  fade::Blend blend() const { return blend_; }
  void set_blend(fade::Blend blend);
  // The colour panel's menu, as the colour panel's controls open it.
  ColourMenu& colour_menu() { return colourMenu_; }
  // The fade key and its items in the window's system menu.
  FadeKey& fade_key() { return fadeKey_; }

  // The window's variables: ViewHtml, ImMode and AttentionBanner, which the Send run reads and
  // writes, and OnTopSuspended.
  composer::SendState sendState;
  bool OnTopSuspended = false;

  RandomSource random;

  // Send, View HTML, the instant-message frame's Send and its two options.
  composer::SendRun& send_run() { return sendRun_; }

  // How long a delivery's trouble shows in the caption.
  static constexpr double kStatusSeconds = 5.0;

  // The start-up state of the window and the start-up announcement, before it is shown. A
  // wait inside may see the window unloaded; the rest is then left undone.
  void Form_Load();

  // The colour panel.
  void HScroll_Change(int n) { panel_.HScroll_Change(n); }
  void Option_Click(int n) { panel_.Option_Click(n); }  // 1 to 10
  void DisableColors() { panel_.DisableColors(); }
  void Enable(int n) { panel_.Enable(n); }
  void Command5_Click() { panel_.Randomize(); }

  void Check_Click() { Text(ids::kMessageBox).set_focus(); }  // the style boxes 1 to 6 and 8
  void Check7_Click();                                        // On Top

  void Command1_Click() { sendRun_.Command1_Click(); }  // Send
  void Command2_Click();                                // Minimize
  void Command3_Click();                                // Advertise
  void Command4_Click();                                // Self Test
  void Command6_Click();  // Exit: the closing announcement, then the window unloads
  void Command9_Click() { sendRun_.Command9_Click(); }    // View HTML
  void Command10_Click() { ShowBox(kHelpText); }          // help
  void Command11_Click() { sendRun_.Command11_Click(); }  // the frame's Send
  void Option11_Click() { sendRun_.Option11_Click(); }
  void Option12_Click() { sendRun_.Option12_Click(); }
  void Image1_Click() { ShowBox(kAboutText); }  // about

  void Command7_Click() { sizer_.PressArrow(7); }    // Down
  void Command13_Click() { sizer_.PressArrow(13); }  // Up
  void Command8_Click() { sizer_.PressArrow(8); }    // Right
  void Command12_Click() { sizer_.PressArrow(12); }  // Left
  void Text1_DblClick() { sizer_.Text1_DblClick(); }
  // The fade key, pressed in any program: the line typed in the host's box faded in its place.
  void FadeKey_Pressed() { sendRun_.FadeWhereYouType(); }
  // The preview: each character of the line in the look a Send would give it now.
  std::vector<toolkit::CharacterLook> Text1_Look();

  // composer::SendWindow
  std::string TypedLine() override { return Text(ids::kMessageBox).text(); }
  void SetTypedLine(std::string_view text) override { Text(ids::kMessageBox).set_text(text); }
  void FocusTypedLine() override { Text(ids::kMessageBox).set_focus(); }
  bool IsTicked(composer::SendOption box) override {
    return controls_.Box(box).value() == toolkit::CheckBox::kChecked;
  }
  int SelectedColourCount() override { return panel_.SelectedCount(); }
  fade::Blend SelectedBlend() override { return blend_; }
  std::array<fade::Rgb, 10> Colours() override;
  void Randomize() override { Command5_Click(); }
  std::string Recipient() override { return Text(ids::kRecipient).text(); }
  std::string HtmlView() override { return Text(ids::kHtmlWriter).text(); }
  void SetHtmlView(std::string_view text) override { Text(ids::kHtmlWriter).set_text(text); }
  void SetSendCaption(std::string_view caption) override {
    Command(ids::kSend).set_caption(caption);
  }
  void ShowDeliveryStatus(composer::DeliveryStatus status) override;
  // A few words after the caption for a few seconds, without a box and without taking the focus;
  // empty text takes an earlier one down.
  void ShowStatus(std::string_view text);

 private:
  // Self Test, step by step: the caption, a pause, the step's action, a pause.
  struct SelfTestStep {
    const char* caption;
    double settle;
    void (ZiruZezuzo::*action)();
    double hold;
  };
  static const SelfTestStep kSelfTestScript[];
  void ResetAttributes();
  void TickBoldItalicsAndClearText();
  void TypeSample() { Text(ids::kMessageBox).set_text(kSelfTestSample); }

  void Build();
  void Add(toolkit::Container& container, const layout::Item& item, const ArrowGlyphs& arrows);
  // The help and about boxes: On Top is suspended while the box is up.
  void ShowBox(const char* text);
  void SetCaption(std::string caption);
  void TakeStatusDown();
  // What Copy As copies: the line, and how the window would fade it now.
  CopySource CopySourceNow();
  // Pause, then true unless the program is ending (the window is gone: touch nothing more).
  bool PauseGoesOn(double seconds);
  bool Ending() { return services_.platform.events.IsEnding(); }

  Services services_;
  toolkit::Form form_{"ZiruZezuzo"};
  toolkit::Font windowFont_;
  ControlRegistry controls_;
  ColourPanel panel_{
      controls_,
      random,
      {.showCount =
           [this](std::string count) { SetCaption(std::string(kAppTitle) + " - " + count); },
       .changed = [this] { Text(ids::kMessageBox).look_changed(); },
       .contextMenu = [this](
                          toolkit::Control& control,
                          const toolkit::MenuPlace& where) { colourMenu_.Open(control, where); }}};
  fade::Blend blend_ = fade::Blend::kStraight;
  settings::Store store_{services_.settingsFile};
  ColourMenu colourMenu_{panel_,
                         store_,
                         services_.dialogs,
                         {.blend = [this] { return blend_; },
                          .setBlend = [this](fade::Blend blend) { set_blend(blend); },
                          .showStatus = [this](std::string text) { ShowStatus(text); },
                          .copyAs = [this] { return copyAs_.Actions(); }}};
  CopyAs copyAs_{form_,
                 services_.clipboard,
                 {.source = [this] { return CopySourceNow(); },
                  .showStatus = [this](std::string text) { ShowStatus(text); }}};
  FadeKey fadeKey_{form_,
                   store_,
                   services_.dialogs,
                   {.pressed = [this] { FadeKey_Pressed(); },
                    .showStatus = [this](std::string text) { ShowStatus(text); }}};
  WindowSizer sizer_{form_, controls_};

  composer::SendRun sendRun_{*this, sendState, services_.platform};
  toolkit::Timer statusTimer_{form_};
  std::string captionWithoutStatus_;
  bool statusShowing_ = false;
  bool exiting_ = false;
};

}  // namespace vfx::ui
