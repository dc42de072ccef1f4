#include <cmath>

#include "host/host.h"

namespace vfx::host {

void Pause(platform::EventPump& events, double seconds) {
  if (!(seconds > 0)) return;
  const double start = events.Now();
  double deadline = start + seconds;
  // The sum may round below the wanted span; the wait must never end early.
  if (deadline - start < seconds) deadline = std::nextafter(deadline, HUGE_VAL);
  while (!events.IsEnding()) {
    events.ProcessPendingEvents();
    if (events.IsEnding() || events.Now() - start >= seconds) return;
    events.WaitForEvents(deadline);
  }
}

void FlushEvents(platform::EventPump& events) {
  constexpr int kRounds = 50;
  for (int round = 0; round < kRounds; ++round) events.ProcessPendingEvents();
}

}  // namespace vfx::host
