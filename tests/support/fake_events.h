// A fake clock and event pump: time moves only when the code under test waits, and events are
// scheduled at points of that clock, so no test sleeps.
#pragma once

#include <functional>
#include <map>

#include "platform/events.h"

namespace vfx::testing {

class FakeEventPump : public platform::EventPump {
 public:
  // Runs `event` inside the first ProcessPendingEvents at or after `time`.
  void At(double time, std::function<void()> event) { scheduled_.emplace(time, std::move(event)); }
  void After(double delay, std::function<void()> event) { At(now_ + delay, std::move(event)); }

  int processCount = 0;  // calls of ProcessPendingEvents
  // Runs at the start of every ProcessPendingEvents, before the scheduled events: what a user
  // might do at any moment the add-on lets its events run.
  std::function<void()> onProcess;
  int waitCount = 0;  // calls of WaitForEvents
  // When above 0, no wait sleeps longer than this: the real wait wakes for any message, so the
  // code under test meets the clock between its deadline's steps.
  double wakeEvery = 0;

  void ProcessPendingEvents() override;
  double Now() override {
    Poll();
    return now_;
  }
  // Moves the clock to the deadline, or to the next scheduled event or wake if that comes first.
  void WaitForEvents(double deadline) override;
  bool IsEnding() override {
    Poll();
    return ending_;
  }
  void MarkEnding() override { ending_ = true; }

 private:
  // Code that asks the clock or the ending flag a million times without once letting events run
  // or time pass is spinning: the real add-on would hang at full processor. Ends the test
  // program with a message rather than hanging it.
  void Poll();
  long pollsSinceProgress_ = 0;

  double now_ = 1000.0;
  bool ending_ = false;
  std::multimap<double, std::function<void()>> scheduled_;
};

}  // namespace vfx::testing
