#include "platform/win32/system_text.h"

#include <iterator>

#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

RECT WorkAreaOfMonitor(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace

std::wstring SystemErrorText(DWORD error) {
  wchar_t buffer[512] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
  while (length > 0 &&
         (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
    --length;
  return std::wstring(buffer, length);
}

std::string SystemErrorWords(DWORD error) {
  std::wstring text = SystemErrorText(error);
  if (text.ends_with(L'.')) text.pop_back();
  if (text.empty()) return "error " + std::to_string(error);
  return Narrow(text);
}

RECT WorkAreaOf(HWND window) {
  return WorkAreaOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

RECT WorkAreaAt(POINT point) {
  return WorkAreaOfMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

}  // namespace vfx::platform::win32
