#include "host/host.h"

namespace vfx::host {

void Pause(platform::EventPump& events, double seconds) {
  if (!(seconds > 0)) return;
  const double deadline = events.Now() + seconds;
  while (!events.IsEnding()) {
    events.ProcessPendingEvents();
    if (events.IsEnding() || events.Now() >= deadline) return;
    events.WaitForEvents(deadline);
  }
}

void FlushEvents(platform::EventPump& events) {
  constexpr int kRounds = 50;
  for (int round = 0; round < kRounds; ++round) events.ProcessPendingEvents();
}

}  // namespace vfx::host
