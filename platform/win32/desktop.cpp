#include "platform/win32/desktop.h"

#include <windows.h>
// After windows.h.
#include <mmsystem.h>

#include <algorithm>
#include <cassert>
#include <vector>

#include "platform/win32/report.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// The caption as the system keeps it. GetWindowText and GetWindowTextLength send WM_GETTEXT
// and WM_GETTEXTLENGTH to the window's thread for some windows, and a hung host would hold the
// add-on there; the system's own copy of the caption is read without asking the window.
std::wstring StoredCaption(HWND window) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const int length =
        InternalGetWindowText(window, buffer.data(), static_cast<int>(buffer.size()));
    if (length < static_cast<int>(buffer.size()) - 1) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 4);
  }
}

std::string AnsiCaption(WindowHandle window) {
  if (!::IsWindow(ToHwnd(window))) return {};
  return ToAnsi(Narrow(StoredCaption(ToHwnd(window)))).value_or(std::string());
}

std::string CutToBuffer(std::string ansi, int bufferSize) {
  if (bufferSize <= 0) return {};
  if (ansi.size() > static_cast<std::size_t>(bufferSize - 1)) ansi.resize(bufferSize - 1);
  return FromAnsi(ansi);
}

// The ANSI form for the host's markup, the wide form for the user's own text: the system converts
// between the two where the sender's form is not the window's.
enum class Form { kAnsi, kWide };

MessageResult Send(WindowHandle window, unsigned message, WPARAM wParam, LPARAM lParam,
                   Form form = Form::kAnsi) {
  DWORD_PTR answer = 0;
  constexpr UINT kFlags = SMTO_NORMAL | SMTO_ABORTIFHUNG;
  const LRESULT sent = form == Form::kAnsi
                           ? SendMessageTimeoutA(ToHwnd(window), message, wParam, lParam, kFlags,
                                                 Win32Desktop::kSendTimeoutMs, &answer)
                           : SendMessageTimeoutW(ToHwnd(window), message, wParam, lParam, kFlags,
                                                 Win32Desktop::kSendTimeoutMs, &answer);
  if (!sent) return std::nullopt;
  return static_cast<std::intptr_t>(answer);
}

UINT Command(Relation relation) {
  switch (relation) {
    case Relation::kFirstChild:
      return GW_CHILD;
    case Relation::kNextSibling:
      return GW_HWNDNEXT;
    case Relation::kOwner:
      return GW_OWNER;
  }
  assert(!"a relation without a GetWindow command");
  return GW_HWNDNEXT;
}

}  // namespace

WindowHandle Win32Desktop::FindWindowA(std::optional<std::string_view> className,
                                       std::optional<std::string_view> caption) {
  const std::optional<std::string> ansiClass = className ? ToAnsi(*className) : std::string();
  const std::optional<std::string> ansiCaption = caption ? ToAnsi(*caption) : std::string();
  if (!ansiClass || !ansiCaption) return kNoWindow;
  return FromHwnd(::FindWindowA(className ? ansiClass->c_str() : nullptr,
                                caption ? ansiCaption->c_str() : nullptr));
}

WindowHandle Win32Desktop::GetWindow(WindowHandle window, Relation relation) {
  if (window == kNoWindow) return kNoWindow;
  return FromHwnd(::GetWindow(ToHwnd(window), Command(relation)));
}

std::string Win32Desktop::GetClassNameA(WindowHandle window, int bufferSize) {
  if (window == kNoWindow || bufferSize <= 0) return {};
  std::string buffer(static_cast<std::size_t>(bufferSize), '\0');
  const int length = ::GetClassNameA(ToHwnd(window), buffer.data(), bufferSize);
  buffer.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return FromAnsi(buffer);
}

int Win32Desktop::GetWindowTextLengthA(WindowHandle window) {
  if (window == kNoWindow) return 0;
  return static_cast<int>(AnsiCaption(window).size());
}

std::string Win32Desktop::GetWindowTextA(WindowHandle window, int bufferSize) {
  if (window == kNoWindow) return {};
  return CutToBuffer(AnsiCaption(window), bufferSize);
}

MessageResult Win32Desktop::SendMessageA(WindowHandle window, unsigned message,
                                         std::uintptr_t wParam, std::intptr_t lParam) {
  if (window == kNoWindow) return std::nullopt;
  return Send(window, message, wParam, lParam);
}

MessageResult Win32Desktop::SendMessageA(WindowHandle window, unsigned message,
                                         std::uintptr_t wParam, std::string_view text) {
  if (window == kNoWindow) return std::nullopt;
  // A line that cannot be converted is not sent at all, rather than sent empty.
  const std::optional<std::string> ansi = ToAnsi(text);
  if (!ansi) return std::nullopt;
  return Send(window, message, wParam, reinterpret_cast<LPARAM>(ansi->c_str()));
}

std::optional<std::string> Win32Desktop::GetControlText(WindowHandle window, int most) {
  if (window == kNoWindow || most < 0) return std::nullopt;
  const MessageResult length = Send(window, WM_GETTEXTLENGTH, 0, 0, Form::kWide);
  if (!length || *length < 0) return std::nullopt;
  // The length may be an overestimate, never an underestimate; the text comes in the buffer it
  // fits. A character beyond the basic plane takes two of these units.
  const auto size = static_cast<std::size_t>(std::min<std::intptr_t>(*length, most)) + 1;
  std::wstring buffer(size, L'\0');
  const MessageResult copied = Send(window, WM_GETTEXT, static_cast<WPARAM>(size),
                                    reinterpret_cast<LPARAM>(buffer.data()), Form::kWide);
  if (!copied || *copied < 0) return std::nullopt;
  buffer.resize(std::min(static_cast<std::size_t>(*copied), size - 1));
  return Narrow(buffer);
}

MessageResult Win32Desktop::SetControlText(WindowHandle window, std::string_view text) {
  if (window == kNoWindow) return std::nullopt;
  const std::wstring wide = Widen(text);
  return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), Form::kWide);
}

bool Win32Desktop::IsWindow(WindowHandle window) {
  return window != kNoWindow && ::IsWindow(ToHwnd(window));
}

WindowHandle Win32Desktop::GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

void Win32Desktop::SetFocus(WindowHandle window) {
  if (window != kNoWindow) ::SetFocus(ToHwnd(window));
}

void Win32Desktop::SetWindowPos(WindowHandle window, ZOrder insertAfter, int x, int y, int width,
                                int height, unsigned flags) {
  if (window == kNoWindow) return;
  const HWND after = insertAfter == ZOrder::kTopmost ? HWND_TOPMOST : HWND_NOTOPMOST;
  // The host's window may have closed since it was found.
  VFX_REPORT_IF_FALSE(::SetWindowPos(ToHwnd(window), after, x, y, width, height, flags));
}

void Win32Desktop::sndPlaySoundA(std::string_view fileName, unsigned flags) {
  // The file is the user's to move or remove.
  const std::optional<std::string> ansi = ToAnsi(fileName);
  if (ansi) VFX_REPORT_IF_FALSE(::sndPlaySoundA(ansi->c_str(), flags));
}

}  // namespace vfx::platform::win32
