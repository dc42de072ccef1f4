// The chat delivery every Send uses (and the fade key's, into its own room): a message's lines
// into the chat room one after another, its attention banners round it, with the pause between.
#include "composer/delivery_status.h"
#include "composer/send_run.h"
#include "host/host.h"

namespace vfx::composer {

// The lines go on only while they are posted: a banner that found no room or no answer says the
// message would not arrive either, and a closing banner belongs to a message that went out.
DeliveryStatus SendRun::DeliverToChat(const Delivery& delivery) {
  for (std::size_t n = 0; n < delivery.lines.size(); ++n) {
    if (n > 0) {
      host::Pause(platform_.events, delivery.pause);
      // The fade key's room is where the user types: words they began in the pause are not
      // written over. Before the message, its line goes back in front of them; after it, the
      // closing banner is left out.
      if (delivery.kind == Delivery::Kind::kChatInPlace && TypedOnIn(delivery.box))
        return n > delivery.messageLine ? DeliveryStatus::kDelivered
                                        : DeliveryStatus::kTypedLineChanged;
    }
    ownLine_ = delivery.lines[n];
    const host::ChatOutcome outcome =
        delivery.kind == Delivery::Kind::kChatInPlace
            ? host::SendChatInto(platform_, delivery.target, delivery.lines[n])
            : host::SendChat(platform_, delivery.lines[n]);
    if (outcome == host::ChatOutcome::kPosted) {
      ownLine_.clear();  // the host has emptied the box
      continue;
    }
    // The message is out, whatever became of its closing banner.
    if (n > delivery.messageLine) return DeliveryStatus::kDelivered;
    // A banner the host may have posted before it went silent: the message itself never went.
    if (n < delivery.messageLine && outcome == host::ChatOutcome::kMayHavePosted)
      return DeliveryStatus::kHostNotResponding;
    return StatusOf(outcome);
  }
  return DeliveryStatus::kDelivered;
}

}  // namespace vfx::composer
