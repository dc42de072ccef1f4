#include "composer/send_run.h"

#include <utility>

#include "fade/utf8.h"
#include "host/host.h"

namespace vfx::composer {
namespace {

constexpr double kAttentionPause = 0.3;

// What became of the message itself, from what became of its own line.
DeliveryStatus StatusOf(host::ChatOutcome outcome) {
  switch (outcome) {
    case host::ChatOutcome::kPosted:
      return DeliveryStatus::kDelivered;
    case host::ChatOutcome::kNoChatRoom:
      return DeliveryStatus::kNoChatRoom;
    case host::ChatOutcome::kHostNotResponding:
      return DeliveryStatus::kHostNotResponding;
    case host::ChatOutcome::kMayHavePosted:
      return DeliveryStatus::kMayHaveArrived;
    case host::ChatOutcome::kCancelled:
      return DeliveryStatus::kCancelled;
  }
  return DeliveryStatus::kHostNotResponding;
}

DeliveryStatus StatusOf(host::InstantMessageOutcome outcome) {
  switch (outcome) {
    case host::InstantMessageOutcome::kSent:
      return DeliveryStatus::kDelivered;
    case host::InstantMessageOutcome::kRefused:
      return DeliveryStatus::kRefused;
    case host::InstantMessageOutcome::kNoAnswer:
      return DeliveryStatus::kNoAnswer;
    case host::InstantMessageOutcome::kCancelled:
      return DeliveryStatus::kCancelled;
  }
  return DeliveryStatus::kNoAnswer;
}

// The host has the message, or has answered it with a refusal: the typed line may go.
bool Arrived(DeliveryStatus status) {
  switch (status) {
    case DeliveryStatus::kDelivered:
    case DeliveryStatus::kRefused:
      return true;
    case DeliveryStatus::kNoChatRoom:
    case DeliveryStatus::kHostNotResponding:
    case DeliveryStatus::kMayHaveArrived:
    case DeliveryStatus::kNoAnswer:
    case DeliveryStatus::kTooLong:
    case DeliveryStatus::kCancelled:
      return false;
  }
  return false;
}

}  // namespace

std::string_view DeliveryStatusText(DeliveryStatus status) {
  switch (status) {
    case DeliveryStatus::kDelivered:
    case DeliveryStatus::kCancelled:
      return "";
    case DeliveryStatus::kRefused:
      return "The host refused the instant message";
    case DeliveryStatus::kNoChatRoom:
      return "Not sent: no chat room is open";
    case DeliveryStatus::kHostNotResponding:
      return "Not sent: the host is not responding";
    case DeliveryStatus::kMayHaveArrived:
      return "The host stopped answering: the line may have been sent";
    case DeliveryStatus::kNoAnswer:
      return "Not sent: the host did not take the instant message";
    case DeliveryStatus::kTooLong:
      return "Not sent: the line is too long for the host";
  }
  return "";
}

SendRun::SendRun(SendWindow& window, SendState& state, platform::Platform platform)
    : window_(window), state_(state), platform_(platform) {}

// ---- the request

void SendRun::Command1_Click() {
  if (Ending() || closed_) return;
  Submit(Compose());
}

void SendRun::Command9_Click() {
  if (Ending() || closed_) return;
  state_.ViewHtml = true;
  const std::size_t characterCount = fade::CharacterCount(window_.TypedLine());
  Delivery delivery = Compose();
  // The style boxes are read again now, after Send.
  window_.SetHtmlView(window_.HtmlView() + ClosingText(characterCount, ReadStyles()));
  Submit(std::move(delivery));
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

void SendRun::Announce(std::vector<std::string> lines) {
  if (Ending() || closed_) return;
  Submit(Delivery{.kind = Delivery::Kind::kChat, .lines = std::move(lines)});
}

void SendRun::Close() {
  closed_ = true;
  queue_.clear();
}

Styles SendRun::ReadStyles() {
  return {.bold = window_.IsTicked(SendOption::kBold),
          .italics = window_.IsTicked(SendOption::kItalics),
          .underline = window_.IsTicked(SendOption::kUnderline),
          .strike = window_.IsTicked(SendOption::kStrike)};
}

std::string SendRun::Message() {
  return StylePrefix(ReadStyles()) +
         ComposeBody(window_.TypedLine(), window_.SelectedColourCount(), window_.Colours(),
                     window_.IsTicked(SendOption::kWavy), window_.SelectedBlend());
}

Delivery SendRun::Compose() {
  const std::string typedLine = window_.TypedLine();
  const std::string prefix = StylePrefix(ReadStyles());
  // Randomize sets the panel before anything reads it, so this Send uses the new colours.
  if (window_.IsTicked(SendOption::kRandom)) window_.Randomize();
  // Nothing processes events from here to the end of the composition, so the colours read now
  // are the colours each segment would find on the panel.
  std::string message =
      prefix + ComposeBody(typedLine, window_.SelectedColourCount(), window_.Colours(),
                           window_.IsTicked(SendOption::kWavy), window_.SelectedBlend());
  const bool viewHtml = state_.ViewHtml;
  state_.ViewHtml = false;
  if (viewHtml) window_.SetHtmlView(message);

  Delivery delivery{.isSend = true, .typedLine = typedLine, .mayClear = !viewHtml};
  if (state_.ImMode) {
    delivery.kind = Delivery::Kind::kInstantMessage;
    delivery.recipient = window_.Recipient();
    delivery.lines = {std::move(message)};
  } else if (viewHtml) {
    delivery.kind = Delivery::Kind::kViewOnly;
  } else if (window_.IsTicked(SendOption::kAttention)) {
    delivery.lines = {state_.AttentionBanner, std::move(message), state_.AttentionBanner};
    delivery.pause = kAttentionPause;
    delivery.messageLine = 1;
  } else {
    delivery.lines = {std::move(message)};
  }
  return delivery;
}

// ---- the queue

void SendRun::Submit(Delivery delivery) {
  if (delivery.kind == Delivery::Kind::kViewOnly)
    return Finish(delivery, DeliveryStatus::kDelivered);
  if (delivery.isSend && delivery.lines[delivery.messageLine].size() > kLongestMessage)
    return Finish(delivery, DeliveryStatus::kTooLong);
  queue_.push_back(std::move(delivery));
  if (delivering_) return;  // the loop further out delivers it in its turn

  delivering_ = true;
  while (!queue_.empty() && !Ending()) {
    const Delivery next = std::move(queue_.front());
    queue_.pop_front();
    Finish(next, Deliver(next));
  }
  queue_.clear();  // the program is ending: nothing more goes to the host
  delivering_ = false;
}

// ---- the delivery

DeliveryStatus SendRun::Deliver(const Delivery& delivery) {
  switch (delivery.kind) {
    case Delivery::Kind::kChat:
      return DeliverToChat(delivery);
    case Delivery::Kind::kInstantMessage:
      return StatusOf(host::SendInstantMessage(platform_, delivery.recipient, delivery.lines[0]));
    case Delivery::Kind::kViewOnly:
      return DeliveryStatus::kDelivered;
  }
  return DeliveryStatus::kDelivered;
}

// The lines go on only while they are posted: a banner that found no room or no answer says the
// message would not arrive either, and a closing banner belongs to a message that went out.
DeliveryStatus SendRun::DeliverToChat(const Delivery& delivery) {
  for (std::size_t n = 0; n < delivery.lines.size(); ++n) {
    if (n > 0) host::Pause(platform_.events, delivery.pause);
    const host::ChatOutcome outcome = host::SendChat(platform_, delivery.lines[n]);
    if (outcome == host::ChatOutcome::kPosted) continue;
    if (n > delivery.messageLine && outcome != host::ChatOutcome::kCancelled)
      return DeliveryStatus::kDelivered;
    // A banner the host may have posted before it went silent: the message itself never went.
    if (n < delivery.messageLine && outcome == host::ChatOutcome::kMayHavePosted)
      return DeliveryStatus::kHostNotResponding;
    return StatusOf(outcome);
  }
  return DeliveryStatus::kDelivered;
}

void SendRun::Finish(const Delivery& delivery, DeliveryStatus status) {
  // The add-on's own lines tell nothing; once the program is ending, nothing is touched.
  if (!delivery.isSend || status == DeliveryStatus::kCancelled) return;
  if (delivery.kind != Delivery::Kind::kViewOnly) window_.ShowDeliveryStatus(status);
  // The typed line goes only once the host has it (a refusal counts: the host has answered).
  // What the user has typed since the click is not this request's to empty.
  if (delivery.mayClear && Arrived(status) && window_.IsTicked(SendOption::kClearText) &&
      window_.TypedLine() == delivery.typedLine)
    window_.SetTypedLine("");
  window_.FocusTypedLine();
}

}  // namespace vfx::composer
