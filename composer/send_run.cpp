#include "composer/send_run.h"

#include <utility>

#include "composer/delivery_status.h"
#include "composer/styles.h"
#include "host/host.h"
#include "text/utf8.h"

namespace vfx::composer {
namespace {

constexpr double kAttentionPause = 0.3;

}  // namespace

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
  const std::size_t characterCount = text::CharacterCount(window_.TypedLine());
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
  for (Delivery& delivery : queue_)
    if (delivery.InPlace()) taken_.push_back(std::move(delivery));
  queue_.clear();
}

Styles SendRun::ReadStyles() {
  Styles styles;
  for (const StyleRow& row : kStyleRows) styles.*row.member = window_.IsTicked(row.option);
  return styles;
}

std::string SendRun::Message() { return MessageOf(window_.TypedLine(), ReadStyles()); }

std::string SendRun::MessageOf(std::string_view line, Styles styles) {
  return StylePrefix(styles) + ComposeBody(line, window_.SelectedColourCount(), window_.Colours(),
                                           window_.IsTicked(SendOption::kWavy),
                                           window_.SelectedBlend());
}

std::string SendRun::ComposeMessage(std::string_view line) {
  const Styles styles = ReadStyles();
  // Randomize sets the panel before anything reads it, so this Send uses the new colours.
  if (window_.IsTicked(SendOption::kRandom)) window_.Randomize();
  // Nothing processes events from here to the end of the composition, so the colours read now
  // are the colours each segment would find on the panel.
  return MessageOf(line, styles);
}

void SendRun::SetChatLines(Delivery& delivery, std::string message) {
  if (window_.IsTicked(SendOption::kAttention)) {
    delivery.lines = {state_.AttentionBanner, std::move(message), state_.AttentionBanner};
    delivery.pause = kAttentionPause;
    delivery.messageLine = 1;
  } else {
    delivery.lines = {std::move(message)};
  }
}

Delivery SendRun::Compose() {
  const std::string typedLine = window_.TypedLine();
  std::string message = ComposeMessage(typedLine);
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
  } else {
    SetChatLines(delivery, std::move(message));
  }
  return delivery;
}

// ---- the queue

void SendRun::Submit(Delivery delivery) {
  if (delivery.kind == Delivery::Kind::kViewOnly)
    return Finish(delivery, DeliveryStatus::kDelivered);
  if (delivery.isSend && delivery.lines[delivery.messageLine].size() > kLongestMessage) {
    const DeliveryStatus status = DeliveryStatus::kTooLong;
    return Finish(delivery, delivery.InPlace() ? ReturnLine(delivery, status) : status);
  }
  queue_.push_back(std::move(delivery));
  if (delivering_) return;  // the loop further out delivers it in its turn

  delivering_ = true;
  while (!queue_.empty() && !Ending()) {
    const Delivery next = std::move(queue_.front());
    queue_.pop_front();
    Finish(next, Deliver(next));
  }
  if (Ending()) {
    // Nothing more goes to the host, and what the fade key took goes back.
    Close();
    GiveBackTakenLines();
  }
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
    case Delivery::Kind::kChatInPlace:
    case Delivery::Kind::kInstantMessageInPlace:
      return DeliverInPlace(delivery);
  }
  return DeliveryStatus::kDelivered;
}

void SendRun::Finish(const Delivery& delivery, DeliveryStatus status) {
  // The add-on's own lines tell nothing; once the program is ending, nothing is touched.
  if (!delivery.isSend || status == DeliveryStatus::kCancelled || Ending()) return;
  if (delivery.kind != Delivery::Kind::kViewOnly) window_.ShowDeliveryStatus(status);
  // The user is typing in the host: the add-on's own box is not theirs now.
  if (delivery.InPlace()) return;
  // The typed line goes only once the host has it (a refusal counts: the host has answered).
  // What the user has typed since the click is not this request's to empty.
  if (delivery.mayClear && Arrived(status) && window_.IsTicked(SendOption::kClearText) &&
      window_.TypedLine() == delivery.typedLine)
    window_.SetTypedLine("");
  window_.FocusTypedLine();
}

}  // namespace vfx::composer
