// The bounded wait that every look for a host window uses (internal to host/).
#pragma once

#include <algorithm>

#include "host/host.h"
#include "host/window_table.h"

namespace vfx::host::detail {

enum class WaitOutcome { kFound, kTimedOut, kHostGone, kCancelled };

// Handles pending events, then asks `look` (true when what is awaited is there); between looks
// it sleeps until an event arrives or the poll interval passes. Gives up after the host wait
// bound, at once when the host's main frame is gone, and at once when the program is ending.
template <typename Look>
WaitOutcome WaitForHost(const platform::Platform& platform, Look look) {
  platform::EventPump& events = platform.events;
  const double deadline = events.Now() + kHostWaitBound;
  for (;;) {
    events.ProcessPendingEvents();
    if (events.IsEnding()) return WaitOutcome::kCancelled;
    if (look()) return WaitOutcome::kFound;
    if (platform.desktop.FindWindowA(table::kMainFrameClass, std::nullopt) == platform::kNoWindow)
      return WaitOutcome::kHostGone;
    const double now = events.Now();
    if (now >= deadline) return WaitOutcome::kTimedOut;
    events.WaitForEvents(std::min(now + kPollInterval, deadline));
  }
}

}  // namespace vfx::host::detail
