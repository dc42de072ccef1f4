#include "platform/win32/report.h"

#include <cassert>
#include <cwchar>
#include <string>

#include "platform/win32/system_text.h"

namespace vfx::platform::win32 {
namespace {

ReportSink sink = nullptr;

std::wstring Widened(const char* text) {
  // File names and the calls' source text are ASCII.
  std::wstring wide;
  for (; *text; ++text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
  return wide;
}

}  // namespace

ReportSink SetReportSink(ReportSink replacement) {
  const ReportSink previous = sink;
  sink = replacement;
  return previous;
}

void ReportFailure(const char* file, int line, const char* call, unsigned long error, bool hresult,
                   Failure kind) {
  const DWORD lastError = GetLastError();
  // file(line): the form a debugger's output window and an editor both jump to.
  std::wstring text =
      Widened(file) + L"(" + std::to_wstring(line) + L"): " + Widened(call) + L" failed: ";
  if (hresult) {
    wchar_t number[32];
    std::swprintf(number, std::size(number), L"HRESULT 0x%08lX", error);
    text += number;
  } else if (error == ERROR_SUCCESS) {
    // A call that fails without setting the last error has no number to tell.
    text += L"no error code";
  } else {
    text += L"error " + std::to_wstring(error);
  }
  if (hresult || error != ERROR_SUCCESS)
    if (const std::wstring words = SystemErrorText(error); !words.empty()) text += L": " + words;
  text += L"\n";

  const bool listened = sink != nullptr;
  if (listened)
    sink(text.c_str());
  else
    OutputDebugStringW(text.c_str());
  SetLastError(hresult ? lastError : static_cast<DWORD>(error));

#ifndef NDEBUG
  // The assertion names the call's own place, not this one.
  text.pop_back();
  if (kind == Failure::kFault && !listened)
    _wassert(text.c_str(), Widened(file).c_str(), static_cast<unsigned>(line));
#else
  static_cast<void>(kind);
#endif
}

}  // namespace vfx::platform::win32
