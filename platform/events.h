// The add-on's own event loop as the waits see it. One thread; a wait may run handlers, and a
// handler may wait again (nested pumps are legal).
#pragma once

namespace vfx::platform {

class EventPump {
 public:
  virtual ~EventPump() = default;

  // Handles every event that has arrived, then returns without waiting.
  virtual void ProcessPendingEvents() = 0;
  // Seconds on a clock that never jumps back.
  virtual double Now() = 0;
  // Sleeps until a new event arrives or the clock reaches `deadline`, yielding the processor.
  // It may return early; callers loop.
  virtual void WaitForEvents(double deadline) = 0;
  // True once the main window has begun to unload: every wait returns at once, and nothing
  // more is sent to the host.
  virtual bool IsEnding() = 0;
  virtual void MarkEnding() = 0;
};

}  // namespace vfx::platform
