// What became of a delivery, from what the host routines say became of its lines; and whether
// the host has the message. Internal to the composer.
#pragma once

#include "composer/send_window.h"
#include "host/host.h"

namespace vfx::composer {

DeliveryStatus StatusOf(host::ChatOutcome outcome);
DeliveryStatus StatusOf(host::InstantMessageOutcome outcome);
// The host has the message, or has answered it with a refusal: the typed line may go.
bool Arrived(DeliveryStatus status);

}  // namespace vfx::composer
