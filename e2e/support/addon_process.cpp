#include "e2e/support/addon_process.h"

#include <vector>

#include "e2e/support/host_process.h"
#include "platform/win32/text.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

// Wine maps the Unix root to drive Z:.
std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

HWND VisibleMainWindowOf(DWORD processId) {
  for (HWND window = FindWindowA(ui::ids::kMainWindowClass, nullptr); window;
       window = FindWindowExA(nullptr, window, ui::ids::kMainWindowClass, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

constexpr UINT kAnswerMilliseconds = 10000;

}  // namespace

AddOnProcess::AddOnProcess() {
  std::string line = "\"";
  line += WindowsPath(VFX_VONTRAFX_EXE);
  line += '"';
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process_))
    return;
  WaitUntil(
      [this] {
        window_ = VisibleMainWindowOf(process_.dwProcessId);
        return window_ != nullptr || !Running();
      },
      30);
}

AddOnProcess::~AddOnProcess() {
  if (!process_.hProcess) return;
  if (Running()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 10000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool AddOnProcess::Running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND AddOnProcess::FrameControl(int id) const {
  return GetDlgItem(GetDlgItem(window_, ui::ids::kFrame1), id);
}

void TypeInto(HWND control, std::string_view utf8) {
  const std::wstring wide = platform::win32::Widen(utf8);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(control, EM_SETSEL, 0, -1, SMTO_NORMAL, kAnswerMilliseconds, &answer);
  SendMessageTimeoutW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()),
                      SMTO_NORMAL, kAnswerMilliseconds, &answer);
}

std::string ControlTextUtf8(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kAnswerMilliseconds,
                           &length))
    return {};
  std::vector<wchar_t> buffer(length + 1);
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                      SMTO_NORMAL, kAnswerMilliseconds, &copied);
  return platform::win32::Narrow(std::wstring_view(buffer.data(), copied));
}

void PressButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool IsChecked(HWND box) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_NORMAL, kAnswerMilliseconds, &state);
  return state == BST_CHECKED;
}

int BarValue(HWND bar) {
  DWORD_PTR position = 0;
  SendMessageTimeoutW(bar, SBM_GETPOS, 0, 0, SMTO_NORMAL, kAnswerMilliseconds, &position);
  return static_cast<int>(position);
}

}  // namespace vfx::e2e
