// The fade key's part of the Send run: the line the user typed in the host's own box, composed at
// the key and faded in its place in its turn.
#include <optional>
#include <string>
#include <string_view>

#include "composer/delivery_status.h"
#include "composer/send_run.h"
#include "host/host.h"
#include "text/ascii.h"

namespace vfx::composer {
namespace {

// What the fade key reads of the host's box at most: past it the line could not be sent anyway.
constexpr int kLongestTypedText = static_cast<int>(kLongestMessage);

// A line the add-on (or another fader) has faded already: fading it again would write its tags
// as text.
bool HoldsColourTag(std::string_view text) {
  constexpr std::string_view kTag = "<font color";
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1))
    if (text::StartsWithIgnoringCase(text.substr(at), kTag)) return true;
  return false;
}

}  // namespace

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

}  // namespace vfx::composer
