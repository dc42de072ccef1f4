#include "composer/send_run.h"

#include <cctype>
#include <utility>

#include "composer/styles.h"
#include "fade/utf8.h"
#include "host/host.h"

namespace vfx::composer {
namespace {

constexpr double kAttentionPause = 0.3;
// What the fade key reads of the host's box at most: past it the line could not be sent anyway.
constexpr int kLongestTypedText = static_cast<int>(kLongestMessage);

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
    case DeliveryStatus::kHostNotInFront:
    case DeliveryStatus::kNoTypingWindow:
    case DeliveryStatus::kNothingTyped:
    case DeliveryStatus::kAlreadyFaded:
    case DeliveryStatus::kTypedLineChanged:
      return false;
  }
  return false;
}

// A line the add-on (or another fader) has faded already: fading it again would write its tags
// as text.
bool HoldsColourTag(std::string_view text) {
  constexpr std::string_view kTag = "<font color";
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
    if (text.size() - at < kTag.size()) return false;
    bool same = true;
    for (std::size_t k = 0; k < kTag.size() && same; ++k)
      same = std::tolower(static_cast<unsigned char>(text[at + k])) == kTag[k];
    if (same) return true;
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
    case DeliveryStatus::kHostNotInFront:
      return "Not faded: the host is not in front";
    case DeliveryStatus::kNoTypingWindow:
      return "Not faded: no chat room or instant message is in front in the host";
    case DeliveryStatus::kNothingTyped:
      return "Not faded: nothing is typed there";
    case DeliveryStatus::kAlreadyFaded:
      return "Not faded: the line holds colour tags already";
    case DeliveryStatus::kTypedLineChanged:
      return "Not faded: the line changed before its turn";
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
  Styles styles;
  for (const StyleRow& row : kStyleRows) styles.*row.member = window_.IsTicked(row.option);
  return styles;
}

std::string SendRun::Message() {
  return StylePrefix(ReadStyles()) +
         ComposeBody(window_.TypedLine(), window_.SelectedColourCount(), window_.Colours(),
                     window_.IsTicked(SendOption::kWavy), window_.SelectedBlend());
}

std::string SendRun::ComposeMessage(std::string_view line) {
  const std::string prefix = StylePrefix(ReadStyles());
  // Randomize sets the panel before anything reads it, so this Send uses the new colours.
  if (window_.IsTicked(SendOption::kRandom)) window_.Randomize();
  // Nothing processes events from here to the end of the composition, so the colours read now
  // are the colours each segment would find on the panel.
  return prefix + ComposeBody(line, window_.SelectedColourCount(), window_.Colours(),
                              window_.IsTicked(SendOption::kWavy), window_.SelectedBlend());
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

void SendRun::FadeWhereYouType() {
  if (Ending() || closed_) return;
  using Kind = host::TypingPlace::Kind;
  platform::Desktop& desktop = platform_.desktop;
  const host::TypingPlace place = host::FindTypingPlace(desktop);
  switch (place.kind) {
    case Kind::kHostNotInFront:
      return window_.ShowDeliveryStatus(DeliveryStatus::kHostNotInFront);
    case Kind::kNoTypingWindow:
      return window_.ShowDeliveryStatus(DeliveryStatus::kNoTypingWindow);
    case Kind::kHostNotResponding:
      return window_.ShowDeliveryStatus(DeliveryStatus::kHostNotResponding);
    case Kind::kChatRoom:
    case Kind::kInstantMessage:
      break;
  }
  const std::optional<std::string> typed = desktop.GetControlText(place.box, kLongestTypedText);
  if (!typed) return window_.ShowDeliveryStatus(DeliveryStatus::kHostNotResponding);
  if (typed->find_first_not_of(" \t\r\n") == std::string::npos)
    return window_.ShowDeliveryStatus(DeliveryStatus::kNothingTyped);
  if (HoldsColourTag(*typed)) return window_.ShowDeliveryStatus(DeliveryStatus::kAlreadyFaded);

  Delivery delivery{.isSend = true, .typedLine = *typed, .target = place.window, .box = place.box};
  std::string message = ComposeMessage(*typed);
  if (place.kind == Kind::kChatRoom) {
    delivery.kind = Delivery::Kind::kChatInPlace;
    SetChatLines(delivery, std::move(message));
  } else {
    delivery.kind = Delivery::Kind::kInstantMessageInPlace;
    delivery.lines = {std::move(message)};
  }
  Submit(std::move(delivery));
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
    case Delivery::Kind::kChatInPlace:
    case Delivery::Kind::kInstantMessageInPlace:
      return DeliverInPlace(delivery);
  }
  return DeliveryStatus::kDelivered;
}

DeliveryStatus SendRun::DeliverInPlace(const Delivery& delivery) {
  platform::Desktop& desktop = platform_.desktop;
  // What the user typed since the key was pressed is theirs: the line read then is faded only
  // while the box still holds it, or nothing (a Send before it in the queue went out through the
  // same box, which the host empties).
  const std::optional<std::string> now = desktop.GetControlText(delivery.box, kLongestTypedText);
  if (!now) return DeliveryStatus::kHostNotResponding;
  if (*now != delivery.typedLine && !now->empty()) return DeliveryStatus::kTypedLineChanged;
  const DeliveryStatus status = delivery.kind == Delivery::Kind::kChatInPlace
                                    ? DeliverToChat(delivery)
                                    : StatusOf(host::SendFromInstantMessageWindow(
                                          platform_, delivery.target, delivery.lines[0]));
  // The box may hold the markup now, or nothing: the user's own line goes back, so that no word
  // of it is lost whatever became of the delivery.
  if (status != DeliveryStatus::kDelivered)
    (void)host::GiveBackText(platform_, delivery.box, delivery.typedLine);
  return status;
}

// The lines go on only while they are posted: a banner that found no room or no answer says the
// message would not arrive either, and a closing banner belongs to a message that went out.
DeliveryStatus SendRun::DeliverToChat(const Delivery& delivery) {
  for (std::size_t n = 0; n < delivery.lines.size(); ++n) {
    if (n > 0) host::Pause(platform_.events, delivery.pause);
    const host::ChatOutcome outcome =
        delivery.kind == Delivery::Kind::kChatInPlace
            ? host::SendChatInto(platform_, delivery.target, delivery.lines[n])
            : host::SendChat(platform_, delivery.lines[n]);
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
