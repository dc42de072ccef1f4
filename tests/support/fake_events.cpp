#include "tests/support/fake_events.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vfx::testing {

void FakeEventPump::Poll() {
  constexpr long kSpinLimit = 1'000'000;
  if (++pollsSinceProgress_ < kSpinLimit) return;
  std::fprintf(stderr,
               "spinning: the clock and the ending flag were asked %ld times without an "
               "event pass or a wait\n",
               kSpinLimit);
  std::abort();
}

void FakeEventPump::ProcessPendingEvents() {
  ++processCount;
  pollsSinceProgress_ = 0;
  if (onProcess) onProcess();
  // Events may schedule more events or wait themselves (nested pumps): take one at a time.
  while (!scheduled_.empty() && scheduled_.begin()->first <= now_) {
    auto event = std::move(scheduled_.begin()->second);
    scheduled_.erase(scheduled_.begin());
    event();
  }
}

void FakeEventPump::WaitForEvents(double deadline) {
  ++waitCount;
  pollsSinceProgress_ = 0;
  double until = deadline;
  if (!scheduled_.empty()) until = std::min(until, scheduled_.begin()->first);
  if (wakeEvery > 0) until = std::min(until, now_ + wakeEvery);
  now_ = std::max(now_, until);
}

}  // namespace vfx::testing
