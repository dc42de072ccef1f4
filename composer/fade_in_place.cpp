// The fade key's part of the Send run: the line the user typed in the host's own box, taken out
// of it at the key, composed then, and faded in its place in its turn.
//
// The rule: a line the key takes is posted once, or it is back where the user typed it; when that
// window has gone, or the host will not take it back, it is in the add-on's own message box and
// the caption says so. The box is emptied at the key, as a Send takes Text1's line, so that an
// Enter, a clear or a second press there meanwhile meet an empty box and can neither post the
// line nor take it twice. Every outcome but a posted line gives it back; Exit gives back what
// still waits once the closing lines are out. (A host that takes the markup and then stops
// answering may have posted it: the line is given back all the same, and the caption says that
// it may have been sent.)
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "composer/delivery_status.h"
#include "composer/send_run.h"
#include "host/host.h"
#include "text/ascii.h"

namespace vfx::composer {
namespace {

// A line the add-on (or another fader) has faded already: fading it again would write its tags
// as text, and giving it back would hand the user markup for words.
bool HoldsColourTag(std::string_view text) {
  constexpr std::string_view kTag = "<font color";
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1))
    if (text::StartsWithIgnoringCase(text.substr(at), kTag)) return true;
  return false;
}

constexpr std::string_view kBlanks = " \t\r\n";

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(kBlanks) == std::string_view::npos;
}

// The taken line in front of what the user typed since, as one line of words.
std::string Joined(std::string_view line, std::string_view since) {
  if (IsBlank(since)) return std::string(line);
  const bool seam = (!line.empty() && kBlanks.find(line.back()) != std::string_view::npos) ||
                    kBlanks.find(since.front()) != std::string_view::npos;
  return std::string(line) + (seam ? "" : " ") + std::string(since);
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
  const std::optional<std::string> typed = host::ReadTypedText(desktop, place.box);
  if (!typed) return window_.ShowDeliveryStatus(DeliveryStatus::kHostNotResponding);
  // The box may hold a line of the add-on's own that waits for its Enter (the key came inside
  // the wait between the two), or that a host which stopped answering left there: that is not
  // the user's to take.
  if (IsBlank(*typed) || *typed == ownLine_)
    return window_.ShowDeliveryStatus(DeliveryStatus::kNothingTyped);
  if (HoldsColourTag(*typed)) return window_.ShowDeliveryStatus(DeliveryStatus::kAlreadyFaded);
  // A box that filled the read may hold more than was read: emptying it would lose the rest, and
  // a line that long composes to more than the host is handed anyway.
  if (typed->size() >= kLongestMessage) return window_.ShowDeliveryStatus(DeliveryStatus::kTooLong);

  Delivery delivery{.isSend = true, .typedLine = *typed, .target = place.window, .box = place.box};
  delivery.kind = place.kind == Kind::kChatRoom ? Delivery::Kind::kChatInPlace
                                                : Delivery::Kind::kInstantMessageInPlace;
  if (!host::EmptyTypedText(desktop, place.box)) {
    // The host may still empty the box once it answers: the line goes back after that.
    return Finish(delivery, ReturnLine(delivery, DeliveryStatus::kHostNotResponding));
  }
  std::string message = ComposeMessage(*typed);
  if (delivery.kind == Delivery::Kind::kChatInPlace) {
    SetChatLines(delivery, std::move(message));
  } else {
    delivery.lines = {std::move(message)};
  }
  Submit(std::move(delivery));
}

DeliveryStatus SendRun::DeliverInPlace(const Delivery& delivery) {
  // A line the user has begun in the box since the key is theirs, and their next: the taken line
  // goes back in front of it rather than over it. (A box that is gone reads as nothing, and the
  // line goes into Text1.)
  const std::optional<std::string> since = host::ReadTypedText(platform_.desktop, delivery.box);
  DeliveryStatus status = !since             ? DeliveryStatus::kHostNotResponding
                          : !IsBlank(*since) ? DeliveryStatus::kTypedLineChanged
                          : delivery.kind == Delivery::Kind::kChatInPlace
                              ? DeliverToChat(delivery)
                              : StatusOf(host::SendFromInstantMessageWindow(
                                    platform_, delivery.target, delivery.lines[0]));
  if (status == DeliveryStatus::kDelivered) return status;
  // The lines the key took from that box after this one would meet it there in their turn and go
  // back in front of it: they go back now, behind it, so that the box keeps the order they were
  // typed in.
  Delivery back = delivery;
  for (auto later = queue_.begin(); later != queue_.end();) {
    if (!later->InPlace() || later->box != delivery.box) {
      ++later;
      continue;
    }
    back.typedLine = Joined(back.typedLine, later->typedLine);
    later = queue_.erase(later);
  }
  return ReturnLine(back, status);
}

bool SendRun::TypedOnIn(platform::WindowHandle box) {
  const std::optional<std::string> now = host::ReadTypedText(platform_.desktop, box);
  return now && !IsBlank(*now);
}

DeliveryStatus SendRun::ReturnLine(const Delivery& delivery, DeliveryStatus status) {
  platform::Desktop& desktop = platform_.desktop;
  if (desktop.IsWindow(delivery.target)) {
    std::string line = delivery.typedLine;
    // What the user typed there since stays, after the line; markup of the add-on's own (a
    // delivery cut short) does not.
    const std::optional<std::string> since = host::ReadTypedText(desktop, delivery.box);
    if (since && !HoldsColourTag(*since)) line = Joined(line, *since);
    if (host::GiveBackText(platform_, delivery.box, line)) return status;
    if (desktop.IsWindow(delivery.target)) {
      // What the user typed since is still in the host's box: only the taken line comes here.
      KeepInTypedLine(delivery.typedLine);
      return DeliveryStatus::kNotTakenBack;
    }
  }
  KeepInTypedLine(delivery.typedLine);
  return delivery.kind == Delivery::Kind::kChatInPlace ? DeliveryStatus::kChatRoomClosed
                                                       : DeliveryStatus::kInstantMessageClosed;
}

void SendRun::KeepInTypedLine(std::string_view line) {
  const std::string now = window_.TypedLine();
  window_.SetTypedLine(now.empty() ? std::string(line) : now + "\r\n" + std::string(line));
}

// Each line goes in front of what its box holds: the last taken goes back first, so that a box
// keeps its lines in the order they were typed.
void SendRun::GiveBackTakenLines() {
  const std::vector<Delivery> taken = std::exchange(taken_, {});
  for (auto delivery = taken.rbegin(); delivery != taken.rend(); ++delivery)
    (void)ReturnLine(*delivery, DeliveryStatus::kCancelled);
}

}  // namespace vfx::composer
