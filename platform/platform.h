// Everything the host routines need from the platform, passed as one value.
#pragma once

#include "platform/desktop.h"
#include "platform/events.h"

namespace vfx::platform {

struct Platform {
  Desktop& desktop;
  EventPump& events;
};

}  // namespace vfx::platform
