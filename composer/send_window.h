// What the Send run needs of the main window, and nothing more: the main window implements it
// over its controls, and tests put a plain object behind it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "composer/delivery_status.h"
#include "fade/fade.h"

namespace vfx::composer {

// The check boxes that Send reads, each at the step where it acts.
enum class SendOption {
  kBold,       // Check1 "&Bold"
  kItalics,    // Check2 "&Italics"
  kUnderline,  // Check3 "&Underline"
  kStrike,     // Check4 "&Strike"
  kWavy,       // Check5 "&Wavy"
  kClearText,  // Check6 "&Clear Text"
  kRandom,     // Check8 "&Random"
  kAttention,  // Check9 "Attention"
};

class SendWindow {
 public:
  virtual ~SendWindow() = default;

  // Text1, the typed line.
  virtual std::string TypedLine() = 0;
  virtual void SetTypedLine(std::string_view text) = 0;
  virtual void FocusTypedLine() = 0;

  // True only when the box's value is exactly 1.
  virtual bool IsTicked(SendOption box) = 0;
  // The number of the selected colour-count option, Option1 tested first; 0 when none is.
  virtual int SelectedColourCount() = 0;
  // How the colours blend into one another.
  virtual fade::Blend SelectedBlend() = 0;
  // Colours 1 to 10 as the panel's scroll bars hold them now, read through the
  // colour-to-control table.
  virtual std::array<fade::Rgb, 10> Colours() = 0;
  // The Randomize run (Command5_Click), to its end.
  virtual void Randomize() = 0;

  // Text3, the recipient of an instant message, as typed.
  virtual std::string Recipient() = 0;
  // Text2, the HTML view.
  virtual std::string HtmlView() = 0;
  virtual void SetHtmlView(std::string_view text) = 0;
  // Command1's caption.
  virtual void SetSendCaption(std::string_view caption) = 0;

  // Called once after every chat or instant-message delivery (not after a view alone, and not
  // once the program is ending). Any status but kDelivered means the typed line may not have
  // arrived: show its text where the user sees it for a few seconds (caption or status text),
  // without a modal box and without taking the focus. kDelivered takes an earlier status down.
  virtual void ShowDeliveryStatus(DeliveryStatus status) = 0;
};

}  // namespace vfx::composer
