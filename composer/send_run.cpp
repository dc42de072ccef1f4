#include "composer/send_run.h"

#include "fade/utf8.h"
#include "host/host.h"

namespace vfx::composer {
namespace {

constexpr double kAttentionPause = 0.3;

DeliveryStatus StatusOf(host::ChatOutcome outcome) {
  switch (outcome) {
    case host::ChatOutcome::kPosted:
      return DeliveryStatus::kDelivered;
    case host::ChatOutcome::kNoChatRoom:
      return DeliveryStatus::kNoChatRoom;
    default:
      return DeliveryStatus::kHostNotResponding;
  }
}

DeliveryStatus StatusOf(host::InstantMessageOutcome outcome) {
  switch (outcome) {
    case host::InstantMessageOutcome::kSent:
      return DeliveryStatus::kDelivered;
    case host::InstantMessageOutcome::kRefused:
      return DeliveryStatus::kRefused;
    default:
      return DeliveryStatus::kNoAnswer;
  }
}

}  // namespace

std::string_view DeliveryStatusText(DeliveryStatus status) {
  switch (status) {
    case DeliveryStatus::kDelivered:
      return "";
    case DeliveryStatus::kRefused:
      return "The host refused the instant message";
    case DeliveryStatus::kNoChatRoom:
      return "Not sent: no chat room is open";
    case DeliveryStatus::kHostNotResponding:
      return "Not sent: the host is not responding";
    case DeliveryStatus::kNoAnswer:
      return "Not sent: the host did not take the instant message";
    case DeliveryStatus::kTooLong:
      return "Not sent: the line is too long for the host";
  }
  return "";
}

SendRun::SendRun(SendWindow& window, SendState& state, platform::Platform platform)
    : window_(window), state_(state), platform_(platform) {}

Styles SendRun::ReadStyles() {
  return {.bold = window_.IsTicked(SendOption::kBold),
          .italics = window_.IsTicked(SendOption::kItalics),
          .underline = window_.IsTicked(SendOption::kUnderline),
          .strike = window_.IsTicked(SendOption::kStrike)};
}

void SendRun::Command1_Click() {
  if (Ending()) return;
  // A Send clicked while a line is being handed to the host, or while an instant message is on
  // its way, runs once that delivery is over. Run inside it, it would go before the line the
  // user sent first, a second instant message would work the host's windows that the first is
  // filling in, and a burst of clicks would nest as deep as it is long.
  if ((handingOver_ || instantMessageOnItsWay_) && !state_.ViewHtml) {
    ++deferredSends_;
    return;
  }
  const std::string typedLine = window_.TypedLine();
  const std::string prefix = StylePrefix(ReadStyles());
  // Randomize sets the panel before anything reads it, so this Send uses the new colours.
  if (window_.IsTicked(SendOption::kRandom)) window_.Randomize();
  // Nothing processes events from here to the delivery, so the colours read now are the colours
  // each segment would find on the panel.
  const std::array<fade::Rgb, 10> colours = window_.Colours();
  const std::string message = prefix + ComposeBody(typedLine, window_.SelectedColourCount(),
                                                   colours, window_.IsTicked(SendOption::kWavy));

  // The destination is fixed now: a handler that runs during an instant message's waits may
  // change the variables, and must not turn this run into a chat send as well.
  const bool viewHtml = state_.ViewHtml;
  const bool imMode = state_.ImMode;
  std::optional<DeliveryStatus> status;
  const bool delivers = imMode || !viewHtml;
  if (delivers && message.size() > kLongestMessage) {
    status = DeliveryStatus::kTooLong;
  } else if (imMode) {
    instantMessageOnItsWay_ = true;
    const host::InstantMessageOutcome outcome =
        host::SendInstantMessage(platform_, window_.Recipient(), message);
    instantMessageOnItsWay_ = false;
    RunDeferredSends();
    if (outcome == host::InstantMessageOutcome::kCancelled) return;
    status = StatusOf(outcome);
  } else if (!viewHtml) {
    status = SendToChat(message);
    if (!status) return;
  }
  if (viewHtml) window_.SetHtmlView(message);
  if (status) window_.ShowDeliveryStatus(*status);

  // The typed line goes only once the host has it (a refusal counts: the host has answered).
  // What the user typed while the message was out, or what a Send run inside this one left, is
  // not this run's to empty.
  const bool arrived = status == DeliveryStatus::kDelivered || status == DeliveryStatus::kRefused;
  if (!viewHtml && arrived && window_.IsTicked(SendOption::kClearText) &&
      window_.TypedLine() == typedLine)
    window_.SetTypedLine("");
  window_.FocusTypedLine();
  state_.ViewHtml = false;
}

std::optional<DeliveryStatus> SendRun::SendToChat(const std::string& message) {
  if (!window_.IsTicked(SendOption::kAttention)) {
    const host::ChatOutcome outcome = HandOver(message);
    if (outcome == host::ChatOutcome::kCancelled) return std::nullopt;
    return StatusOf(outcome);
  }
  // Banner, message, banner. The sequence goes on only while lines are posted: a banner that
  // found no room or no answer says the message would not arrive either, and a closing banner
  // belongs to a message that went out.
  const std::string banner = state_.AttentionBanner;
  host::ChatOutcome outcome = HandOver(banner);
  if (outcome == host::ChatOutcome::kPosted) {
    host::Pause(platform_.events, kAttentionPause);
    outcome = HandOver(message);
    if (outcome == host::ChatOutcome::kPosted) {
      host::Pause(platform_.events, kAttentionPause);
      if (HandOver(banner) == host::ChatOutcome::kCancelled) return std::nullopt;
    }
  }
  if (outcome == host::ChatOutcome::kCancelled) return std::nullopt;
  return StatusOf(outcome);
}

host::ChatOutcome SendRun::HandOver(std::string_view line) {
  handingOver_ = true;
  const host::ChatOutcome outcome = host::SendChat(platform_, line);
  handingOver_ = false;
  RunDeferredSends();
  return outcome;
}

void SendRun::RunDeferredSends() {
  // Only the outermost delivery runs them, one after another: the deliveries of the runs it
  // starts only add to the queue, so a burst does not nest.
  if (runningDeferred_) return;
  runningDeferred_ = true;
  while (deferredSends_ > 0 && !Ending()) {
    --deferredSends_;
    Command1_Click();
  }
  runningDeferred_ = false;
}

void SendRun::Command9_Click() {
  if (Ending()) return;
  state_.ViewHtml = true;
  const std::size_t characterCount = fade::CharacterCount(window_.TypedLine());
  Command1_Click();
  if (Ending()) return;
  // The style boxes are read again now, after Send.
  window_.SetHtmlView(window_.HtmlView() + ClosingText(characterCount, ReadStyles()));
}

void SendRun::Command11_Click() {
  // Left on: the main Send button delivers instant messages too until "Send to Room " is clicked.
  state_.ImMode = true;
  Command1_Click();
}

void SendRun::Option11_Click() {
  window_.SetSendCaption("Send to Chat");
  state_.ImMode = false;
}

void SendRun::Option12_Click() {
  state_.ImMode = true;
  window_.SetSendCaption("Send to IM");
}

}  // namespace vfx::composer
