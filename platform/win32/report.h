// Win32 calls whose failure nothing else would notice. Each macro evaluates the call once and
// gives its result back unchanged; when the call failed it writes one line to the debugger's
// output (OutputDebugStringW): "file(line): call failed: error N: the system's message". The
// last error is as the call left it afterwards, for code that reads it next.
//
//   VFX_FAULT_IF_FALSE(call)   a zero, FALSE or null result is a fault of ours (or of an
//                              exhausted system): reported, and asserted in debug builds.
//   VFX_FAULT_IF_FAILED(call)  the same for an HRESULT that FAILED().
//   VFX_REPORT_IF_FALSE(call)  a failure the user's system may bring in normal use (a key that
//                              another program holds, a file the disk refuses): reported only.
//
// Release builds (NDEBUG) never assert, so the macros change nothing there but the output line.
#pragma once

#include <windows.h>

namespace vfx::platform::win32 {

// Where the lines go; null is OutputDebugStringW. While a sink of its own is set no failure
// asserts, so that a test can make calls fail on purpose in any build.
using ReportSink = void (*)(const wchar_t* line);
// Sets the sink and returns the one it replaces.
ReportSink SetReportSink(ReportSink sink);

enum class Failure { kFault, kExpected };

// Writes the line for a failed call; `error` is the last error, or the HRESULT when `hresult`.
// Leaves the last error as `error` (or as it was, for an HRESULT).
void ReportFailure(const char* file, int line, const char* call, unsigned long error, bool hresult,
                   Failure kind);

namespace report_detail {

template <typename Result>
Result IfFalse(Result result, const char* file, int line, const char* call, Failure kind) {
  if (!result) ReportFailure(file, line, call, GetLastError(), false, kind);
  return result;
}

inline HRESULT IfFailed(HRESULT result, const char* file, int line, const char* call) {
  if (FAILED(result))
    ReportFailure(file, line, call, static_cast<unsigned long>(result), true, Failure::kFault);
  return result;
}

}  // namespace report_detail
}  // namespace vfx::platform::win32

#define VFX_FAULT_IF_FALSE(...)                                                          \
  ::vfx::platform::win32::report_detail::IfFalse((__VA_ARGS__), __FILE_NAME__, __LINE__, \
                                                 #__VA_ARGS__,                           \
                                                 ::vfx::platform::win32::Failure::kFault)
#define VFX_REPORT_IF_FALSE(...)                                                         \
  ::vfx::platform::win32::report_detail::IfFalse((__VA_ARGS__), __FILE_NAME__, __LINE__, \
                                                 #__VA_ARGS__,                           \
                                                 ::vfx::platform::win32::Failure::kExpected)
#define VFX_FAULT_IF_FAILED(...)                                                          \
  ::vfx::platform::win32::report_detail::IfFailed((__VA_ARGS__), __FILE_NAME__, __LINE__, \
                                                  #__VA_ARGS__)
