#include "e2e/support/test_pump.h"

#include <windows.h>

#include <cmath>

#include "e2e/support/host_process.h"

namespace vfx::e2e {

void TestPump::ProcessPendingEvents() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

double TestPump::Now() { return Seconds(); }

void TestPump::WaitForEvents(double deadline) {
  const double left = deadline - Now();
  if (left <= 0) return;
  const DWORD milliseconds = static_cast<DWORD>(std::ceil(left * 1000));
  MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace vfx::e2e
