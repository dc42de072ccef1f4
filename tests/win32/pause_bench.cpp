// Pause on the shipping event pump: how far past the asked time it ends, and how much processor
// time it uses while it waits (a busy loop would use all of it). Run under Wine or Windows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "host/host.h"
#include "platform/win32/event_pump.h"

namespace {

double ProcessorSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](FILETIME time) {
    return (static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) * 1e-7;
  };
  return seconds(kernel) + seconds(user);
}

void Measure(vfx::platform::win32::Win32EventPump& events, double seconds, int rounds) {
  std::vector<double> overshoots;
  const double processorBefore = ProcessorSeconds();
  const double wallBefore = events.Now();
  for (int round = 0; round < rounds; ++round) {
    const double start = events.Now();
    vfx::host::Pause(events, seconds);
    overshoots.push_back(events.Now() - start - seconds);
  }
  const double wall = events.Now() - wallBefore;
  const double processor = ProcessorSeconds() - processorBefore;
  std::sort(overshoots.begin(), overshoots.end());
  std::printf(
      "Pause(%.2f) x %d: overshoot median %.2f ms, max %.2f ms, min %.2f ms; "
      "processor %.2f%% of the wait\n",
      seconds, rounds, overshoots[overshoots.size() / 2] * 1e3, overshoots.back() * 1e3,
      overshoots.front() * 1e3, 100.0 * processor / wall);
}

}  // namespace

int main() {
  vfx::platform::win32::Win32EventPump events;
  Measure(events, 0.1, 30);
  Measure(events, 0.01, 100);
  return 0;
}
