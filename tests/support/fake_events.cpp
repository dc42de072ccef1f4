#include "tests/support/fake_events.h"

#include <algorithm>

namespace vfx::testing {

void FakeEventPump::ProcessPendingEvents() {
  ++processCount;
  // Events may schedule more events or wait themselves (nested pumps): take one at a time.
  while (!scheduled_.empty() && scheduled_.begin()->first <= now_) {
    auto event = std::move(scheduled_.begin()->second);
    scheduled_.erase(scheduled_.begin());
    event();
  }
}

void FakeEventPump::WaitForEvents(double deadline) {
  ++waitCount;
  double until = deadline;
  if (!scheduled_.empty()) until = std::min(until, scheduled_.begin()->first);
  now_ = std::max(now_, until);
}

}  // namespace vfx::testing
