#include "substitute-host/toolbar.h"

#include "substitute-host/controls.h"

namespace vfx::subhost {
namespace {

constexpr char kOuterClass[] = "AOL Toolbar";
constexpr char kInnerClass[] = "_AOL_Toolbar";
constexpr int kButtonWidth = 48, kButtonHeight = 44, kMargin = 4;

constexpr const char* kButtons[] = {
    "Read",     "Write",  "Mail",   "Print", "Files",   "My Page", "Favorites", "Internet",
    "Channels", "People", "Quotes", "Perks", "Weather", "News",    "Sports",    "Shop",
    "Games",    "Music",  "Find",   "Help",  "Keyword", "Sign Off"};
static_assert(sizeof kButtons / sizeof kButtons[0] > kKeywordButtonIndex);

// Both toolbar levels hand their buttons' commands up, so the frame sees every click.
LRESULT CALLBACK ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return SendMessageA(GetParent(window), message, wParam, lParam);
    case WM_SIZE:
      if (HWND inner = FindWindowExA(window, nullptr, kInnerClass, nullptr))
        MoveWindow(inner, 0, 0, LOWORD(lParam), HIWORD(lParam) - 2, TRUE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      DrawEdge(dc, &client, EDGE_ETCHED, BF_BOTTOM);
      EndPaint(window, &paint);
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterToolbarClass(HINSTANCE instance, const char* name) {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  info.lpfnWndProc = ToolbarProc;
  info.hInstance = instance;
  info.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  info.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  info.lpszClassName = name;
  return RegisterClassExA(&info) != 0;
}

}  // namespace

bool RegisterToolbarClasses(HINSTANCE instance) {
  return RegisterToolbarClass(instance, kOuterClass) && RegisterToolbarClass(instance, kInnerClass);
}

HWND CreateToolbar(HWND frame) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND outer = CreateWindowExA(0, kOuterClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                               kToolbarHeight, frame, nullptr, instance, nullptr);
  HWND inner = CreateWindowExA(0, kInnerClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                               kToolbarHeight - 2, outer, nullptr, instance, nullptr);
  int x = kMargin;
  int index = 0;
  for (const char* label : kButtons) {
    CreateControl(inner, {.className = kIconClass,
                          .text = label,
                          .x = x,
                          .y = kMargin - 1,
                          .width = kButtonWidth,
                          .height = kButtonHeight,
                          .id = kToolbarFirstId + index++});
    x += kButtonWidth + 2;
  }
  return outer;
}

}  // namespace vfx::subhost
