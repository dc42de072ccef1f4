// What became of a delivery: the statuses, their words, what the host routines' outcomes come
// to, and whether the host has the message.
#pragma once

#include <string_view>

#include "host/host.h"

namespace vfx::composer {

// What became of one delivery to the host.
enum class DeliveryStatus {
  kDelivered,          // posted in the chat room, or the host sent the instant message
  kRefused,            // the host refused the instant message (its notice has been closed)
  kNoChatRoom,         // nothing sent: no chat room is frontmost in the host
  kHostNotResponding,  // nothing sent: the host did not answer
  kMayHaveArrived,     // the host took the line, then stopped answering: it may have gone out
  kNoAnswer,           // nothing sent: the host never took the instant message
  kTooLong,            // nothing sent: the message is longer than the host is handed
  kCancelled,          // the program ended first: nothing more was sent
  // The fade key's own: nothing was touched in the host.
  kHostNotInFront,    // the host is not the window the user works in
  kNoTypingWindow,    // the host's active window is neither a chat room nor an instant message
  kNothingTyped,      // the box there is empty
  kAlreadyFaded,      // the box holds markup already
  kTypedLineChanged,  // the user typed in the box before the line's turn: it is back in front
  // A line the fade key took that could not go back into the host's box: it is in Text1 now.
  kChatRoomClosed,        // the chat room was closed before the line's turn
  kInstantMessageClosed,  // the instant message window was closed before the line's turn
  kNotTakenBack,          // the host did not answer when the line was given back
};

// The words for a status, as the window shows them; empty for kDelivered.
std::string_view DeliveryStatusText(DeliveryStatus status);

DeliveryStatus StatusOf(host::ChatOutcome outcome);
DeliveryStatus StatusOf(host::InstantMessageOutcome outcome);
// The host has the message, or has answered it with a refusal: the typed line may go.
bool Arrived(DeliveryStatus status);

}  // namespace vfx::composer
