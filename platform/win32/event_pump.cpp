#include "platform/win32/event_pump.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/report.h"

namespace vfx::platform::win32 {

Win32EventPump::Win32EventPump() {
  LARGE_INTEGER frequency;
  VFX_FAULT_IF_FALSE(QueryPerformanceFrequency(&frequency));
  secondsPerTick_ = 1.0 / static_cast<double>(frequency.QuadPart);
  timeBeginPeriod(1);
}

Win32EventPump::~Win32EventPump() { timeEndPeriod(1); }

void Win32EventPump::AddDialogWindow(HWND window) { dialogWindows_.push_back(window); }

void Win32EventPump::RemoveDialogWindow(HWND window) { std::erase(dialogWindows_, window); }

void Win32EventPump::Dispatch(MSG& message) {
  // The list may change while a message is handled; walk a copy.
  const std::vector<HWND> windows = dialogWindows_;
  const bool key = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  for (HWND window : windows) {
    if (!IsWindow(window)) continue;
    if (key && (message.hwnd == window || IsChild(window, message.hwnd)) &&
        SendMessageW(window, kDialogKeyMessage, 0, reinterpret_cast<LPARAM>(&message)))
      return;
    if (IsDialogMessageW(window, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void Win32EventPump::ProcessPendingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      MarkEnding();
      // Put it back for the pumps further out.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

double Win32EventPump::Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * secondsPerTick_;
}

void Win32EventPump::WaitForEvents(double deadline) {
  if (ending_) return;
  DWORD milliseconds = INFINITE;
  if (deadline != INFINITY) {
    const double remaining = deadline - Now();
    if (!(remaining > 0)) return;
    // Rounded up: a wait that wakes a fraction early would only wait again.
    milliseconds = static_cast<DWORD>(std::min(std::ceil(remaining * 1000.0), 4294967294.0));
  }
  // A wait that cannot wait returns at once, and the loop around it would spin.
  VFX_FAULT_IF_FALSE(MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT,
                                                 MWMO_INPUTAVAILABLE) != WAIT_FAILED);
}

void Win32EventPump::Run() {
  while (!ending_) {
    ProcessPendingEvents();
    if (!ending_) WaitForEvents(INFINITY);
  }
}

}  // namespace vfx::platform::win32
