// The add-on's event loop over the window message queue. Every message, those of nested pumps
// included, goes through the dialog-message filter of the add-on's windows, which is what gives
// a plain window its default button, access keys and tab order.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/events.h"

namespace vfx::platform::win32 {

// Sent to a dialog window with a key going to it or to one of its controls (lParam: the MSG),
// before the dialog manager sees the key. Nonzero: the window has handled it.
inline constexpr UINT kDialogKeyMessage = WM_APP + 0x101;

class Win32EventPump final : public EventPump {
 public:
  // Asks for 1 ms timer resolution for the pump's life, so that waits end when they should.
  Win32EventPump();
  ~Win32EventPump() override;
  Win32EventPump(const Win32EventPump&) = delete;
  Win32EventPump& operator=(const Win32EventPump&) = delete;

  void AddDialogWindow(HWND window);
  void RemoveDialogWindow(HWND window);

  void ProcessPendingEvents() override;
  double Now() override;
  // A deadline of +infinity waits for the next event however long it takes.
  void WaitForEvents(double deadline) override;
  bool IsEnding() override { return ending_; }
  void MarkEnding() override { ending_ = true; }

  // The main loop: handles events until the program is ending.
  void Run();

 private:
  void Dispatch(MSG& message);

  std::vector<HWND> dialogWindows_;
  double secondsPerTick_;
  bool ending_ = false;
};

}  // namespace vfx::platform::win32
