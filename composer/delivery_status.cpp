#include "composer/delivery_status.h"

namespace vfx::composer {

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
    case DeliveryStatus::kChatRoomClosed:
    case DeliveryStatus::kInstantMessageClosed:
    case DeliveryStatus::kNotTakenBack:
      return false;
  }
  return false;
}

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
      return "Not faded: you typed in that box before its turn; the line is back there";
    case DeliveryStatus::kChatRoomClosed:
      return "Not sent: the chat room was closed; the line is in the message box";
    case DeliveryStatus::kInstantMessageClosed:
      return "Not sent: the instant message window was closed; the line is in the message box";
    case DeliveryStatus::kNotTakenBack:
      return "The host did not take the line back: it is in the message box";
  }
  return "";
}

}  // namespace vfx::composer
