// ZiruZezuzo, the add-on's main window: every control, built from the layout tables, and the
// handlers of the colour panel, Randomize, the style boxes, On Top, Minimize, help and about,
// and the resizing arrows. The Send run and its relatives are the composer's; the window gives
// them its controls through composer::SendWindow.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "composer/send_run.h"
#include "composer/send_window.h"
#include "fade/fade.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/platform.h"
#include "toolkit/check_box.h"
#include "toolkit/command_button.h"
#include "toolkit/form.h"
#include "toolkit/frame.h"
#include "toolkit/h_scroll_bar.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/option_button.h"
#include "toolkit/picture_box.h"
#include "toolkit/text_box.h"
#include "toolkit/timer.h"
#include "ui/colour_table.h"

namespace vfx::ui {

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
  };

  // Draws colour components for Randomize: the fade engine's, unless a benchmark or test wants
  // fixed draws.
  struct RandomSource {
    std::function<int()> component = fade::RandomComponent;
    std::function<void()> reseed = fade::ReseedFromTimeOfDay;
  };

  explicit ZiruZezuzo(Services services);
  ZiruZezuzo(const ZiruZezuzo&) = delete;
  ZiruZezuzo& operator=(const ZiruZezuzo&) = delete;

  toolkit::Form& form() { return form_; }

  // The controls by their names' numbers.
  toolkit::CommandButton& Command(int n) { return *commands_.at(n); }
  toolkit::CheckBox& Check(int n) { return *checks_.at(n); }
  toolkit::HScrollBar& HScroll(int n) { return *bars_.at(n); }
  toolkit::Label& Label(int n) { return *labels_.at(n); }
  toolkit::OptionButton& Option(int n) { return *options_.at(n); }
  // The swatches Picture1, Picture2, Picture6 .. Picture13.
  toolkit::PictureBox& Picture(int n) { return *swatches_.at(n); }
  // The marker squares: Picture3 (red), Picture4 (green), Picture5 (blue), index 0 .. 9.
  toolkit::PictureBox& Marker(int array, int index) { return *markers_.at(array - 3).at(index); }
  toolkit::TextBox& Text(int n) { return *texts_.at(n); }
  toolkit::Frame& Frame1() { return *frame1_; }
  toolkit::Image& Image1() { return *image1_; }

  // Colour k (1 to 10) as its three bars hold it, read through the colour-to-control table.
  fade::Rgb Colour(int k);

  // The window's variables: ViewHtml, ImMode and AttentionBanner, which the Send run reads and
  // writes, and OnTopSuspended.
  composer::SendState send_state;
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
  void HScroll_Change(int n);
  void Option_Click(int n);  // 1 to 10
  void DisableColors();
  void Enable(int n);

  void Command5_Click();  // Randomize

  void Check_Click(int n);  // the style boxes 1 to 6 and 8
  void Check7_Click();      // On Top

  void Command2_Click();   // Minimize
  void Command3_Click();   // Advertise
  void Command4_Click();   // Self Test
  void Command6_Click();   // Exit: the closing announcement, then the window unloads
  void Command10_Click();  // help
  void Image1_Click();     // about

  void Command7_Click();   // Down
  void Command13_Click();  // Up
  void Command8_Click();   // Right
  void Command12_Click();  // Left
  void Text1_DblClick();
  // The preview: each character of the line in the look a Send would give it now.
  std::vector<toolkit::CharacterLook> Text1_Look();

  // composer::SendWindow
  std::string TypedLine() override { return Text(1).text(); }
  void SetTypedLine(std::string_view text) override { Text(1).set_text(text); }
  void FocusTypedLine() override { Text(1).set_focus(); }
  bool IsTicked(composer::SendOption box) override;
  int SelectedColourCount() override;
  std::array<fade::Rgb, 10> Colours() override;
  void Randomize() override { Command5_Click(); }
  std::string Recipient() override { return Text(3).text(); }
  std::string HtmlView() override { return Text(2).text(); }
  void SetHtmlView(std::string_view text) override { Text(2).set_text(text); }
  void SetSendCaption(std::string_view caption) override { Command(1).set_caption(caption); }
  void ShowDeliveryStatus(composer::DeliveryStatus status) override;

 private:
  void Build();
  void BuildColourPanel();
  void Connect();
  // The help and about boxes: On Top is suspended while the box is up.
  void ShowBox(const char* text);
  void SetCaption(std::string caption);
  void TakeStatusDown();
  // Pause, then true unless the program is ending (the window is gone: touch nothing more).
  bool PauseGoesOn(double seconds);
  bool Ending() { return services_.platform.events.IsEnding(); }

  Services services_;
  toolkit::Form form_{"ZiruZezuzo"};
  toolkit::Font windowFont_;

  std::array<toolkit::CommandButton*, 14> commands_{};
  std::array<toolkit::CheckBox*, 10> checks_{};
  std::array<toolkit::HScrollBar*, 31> bars_{};
  std::array<toolkit::Label*, 31> labels_{};
  std::array<toolkit::OptionButton*, 13> options_{};
  std::array<toolkit::PictureBox*, 14> swatches_{};
  std::array<std::array<toolkit::PictureBox*, 10>, 3> markers_{};
  std::array<toolkit::TextBox*, 4> texts_{};
  toolkit::Frame* frame1_ = nullptr;
  toolkit::Image* image1_ = nullptr;

  composer::SendRun sendRun_{*this, send_state, services_.platform};
  toolkit::Timer statusTimer_{form_};
  std::string captionWithoutStatus_;
  bool statusShowing_ = false;
  bool exiting_ = false;
};

}  // namespace vfx::ui
