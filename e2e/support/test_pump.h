// The test program's own event pump for the host routines: its thread's messages, a monotonic
// clock, and a wait that sleeps in the message wait until an event or the deadline.
#pragma once

#include "platform/events.h"

namespace vfx::e2e {

class TestPump final : public platform::EventPump {
 public:
  void ProcessPendingEvents() override;
  double Now() override;
  void WaitForEvents(double deadline) override;
  bool IsEnding() override { return ending_; }
  void MarkEnding() override { ending_ = true; }

 private:
  bool ending_ = false;
};

}  // namespace vfx::e2e
