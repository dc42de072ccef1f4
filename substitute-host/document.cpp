#include "substitute-host/document.h"

#include "substitute-host/event_log.h"
#include "substitute-host/host_app.h"

namespace vfx::subhost {
namespace {

// The host's document windows have their own light blue-grey page.
constexpr UINT_PTR kCloseTimer = 1;

HBRUSH PageBrush() {
  static const HBRUSH brush = CreateSolidBrush(kPageColour);
  return brush;
}

}  // namespace

Document::Document(HostApp& app, std::string caption, SIZE size)
    : app_(app), caption_(std::move(caption)), size_(size) {}

bool Document::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  info.style = CS_HREDRAW | CS_VREDRAW;
  info.lpfnWndProc = Proc;
  info.hInstance = instance;
  info.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  info.hbrBackground = PageBrush();
  info.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
  info.lpszClassName = kDocumentClass;
  return RegisterClassExA(&info) != 0;
}

bool Document::Open(HWND mdiClient, POINT where) {
  MDICREATESTRUCTA create{};
  create.szClass = kDocumentClass;
  create.szTitle = caption_.c_str();
  create.hOwner = GetModuleHandleA(nullptr);
  create.x = where.x;
  create.y = where.y;
  create.cx = size_.cx;
  create.cy = size_.cy;
  // No maximise box: a maximised document would put its caption into the frame's.
  create.style = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                 WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  create.lParam = reinterpret_cast<LPARAM>(this);
  return SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)) != 0;
}

void Document::CloseSoon() { PostMessageA(window_, WM_CLOSE, 0, 0); }

void Document::CloseAfter(UINT milliseconds) {
  SetTimer(window_, kCloseTimer, milliseconds, nullptr);
}

LRESULT CALLBACK Document::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const auto* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
    auto* document = reinterpret_cast<Document*>(mdi->lParam);
    document->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(document));
  }
  auto* document = reinterpret_cast<Document*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!document) return DefMDIChildProcA(window, message, wParam, lParam);
  return document->Handle(message, wParam, lParam);
}

LRESULT Document::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Log().Write("window-open", {Text("window", caption_), Text("class", kDocumentClass)});
      CreateControls();
      break;
    case WM_COMMAND:
      if (lParam != 0) {
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
      }
      break;
    case WM_SIZE:
      OnSize(LOWORD(lParam), HIWORD(lParam));
      break;  // the MDI child procedure needs it too
    case WM_TIMER:
      if (wParam != kCloseTimer) break;
      KillTimer(window_, kCloseTimer);
      CloseSoon();
      return 0;
    case WM_SETFOCUS: {
      const LRESULT result = DefMDIChildProcA(window_, message, wParam, lParam);
      if (HWND target = FocusTarget()) SetFocus(target);
      return result;
    }
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(PageBrush());
    case WM_DESTROY:
      Log().Write("window-close", {Text("window", caption_), Text("class", kDocumentClass)});
      break;
    case WM_NCDESTROY: {
      const LRESULT result = DefMDIChildProcA(window_, message, wParam, lParam);
      SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
      app_.Forget(this);  // deletes this document
      return result;
    }
  }
  return DefMDIChildProcA(window_, message, wParam, lParam);
}

}  // namespace vfx::subhost
