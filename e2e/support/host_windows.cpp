#include "e2e/support/host_windows.h"

#include "e2e/support/host_process.h"

namespace vfx::e2e {

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string CaptionOf(HWND window) {
  wchar_t wide[512] = L"";
  const int length = InternalGetWindowText(window, wide, 512);
  std::string caption(WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr),
                      '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, caption.data(), static_cast<int>(caption.size()),
                      nullptr, nullptr);
  return caption;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

HWND ChildOfClass(HWND parent, const std::string& className) {
  for (HWND child : Children(parent))
    if (ClassOf(child) == className) return child;
  return nullptr;
}

HWND ChildWithCaption(HWND parent, const std::string& caption) {
  for (HWND child : Children(parent))
    if (CaptionOf(child) == caption) return child;
  return nullptr;
}

HWND Hop(HWND window, int hops) {
  for (int i = 0; i < hops && window; ++i) window = GetWindow(window, GW_HWNDNEXT);
  return window;
}

HWND HostFrame() { return FindWindowA("AOL Frame25", nullptr); }

HWND HostDocumentArea() { return ChildOfClass(HostFrame(), "MDIClient"); }

// A document carries its caption from the start of its creation but its controls only once
// that is done; it shows only then, so a visible document is one whose controls are there.
HWND WaitForDocument(const std::string& caption, double seconds) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = ChildWithCaption(HostDocumentArea(), caption);
        return found != nullptr && IsWindowVisible(found);
      },
      seconds);
  return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

void Click(HWND window) {
  SendMessageA(window, WM_LBUTTONDOWN, 0, 0);
  SendMessageA(window, WM_LBUTTONUP, 0, 0);
}

void SetText(HWND window, const std::string& ansi) {
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
}

void PressEnter(HWND window) { SendMessageA(window, WM_CHAR, 13, 0); }

std::string ControlText(HWND window) {
  std::string text(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
  text.resize(SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  return text;
}

}  // namespace vfx::e2e
