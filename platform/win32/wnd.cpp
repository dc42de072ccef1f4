#include "platform/win32/wnd.h"

#include <commctrl.h>

#include <string>

namespace vfx::platform::win32 {
namespace {

constexpr wchar_t kPeerProperty[] = L"VontraFX.Peer";
constexpr UINT_PTR kSubclassId = 0x5646;  // "VF"

}  // namespace

Wnd::~Wnd() { Destroy(); }

void Wnd::Destroy() {
  if (hwnd) DestroyWindow(hwnd);  // WM_NCDESTROY detaches
  hwnd = nullptr;
}

Wnd* Wnd::FromHandle(HWND window) {
  return window ? static_cast<Wnd*>(GetPropW(window, kPeerProperty)) : nullptr;
}

void Wnd::Attach(HWND window) {
  hwnd = window;
  SetPropW(window, kPeerProperty, this);
}

void Wnd::Detach() {
  if (!hwnd) return;
  RemovePropW(hwnd, kPeerProperty);
  if (subclassed_) RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
  subclassed_ = false;
  hwnd = nullptr;
}

HWND Wnd::CreateControl(const wchar_t* className, std::wstring_view text, DWORD style,
                        DWORD exStyle, const RECT& place, HWND parent, int id) {
  const std::wstring caption(text);
  HWND window = CreateWindowExW(exStyle, className, caption.c_str(), style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  Attach(window);
  subclassed_ = SetWindowSubclass(window, SubclassProc, kSubclassId,
                                  reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  return window;
}

HWND Wnd::CreateCustom(const wchar_t* className, std::wstring_view text, DWORD style,
                       DWORD exStyle, const RECT& place, HWND parent, int id) {
  const std::wstring caption(text);
  HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
  return CreateWindowExW(exStyle, className, caption.c_str(), style, place.left, place.top,
                         place.right - place.left, place.bottom - place.top, parent, menu,
                         GetModuleHandleW(nullptr), this);
}

void Wnd::RegisterCustomClass(const wchar_t* className, UINT classStyle, HICON icon) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

bool Wnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Wnd::Reflect(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      HWND child = reinterpret_cast<HWND>(lParam);
      // The dialog manager's Enter names the default button by ID and may leave the handle out.
      if (!child && HIWORD(wParam) == BN_CLICKED) child = GetDlgItem(container, LOWORD(wParam));
      Wnd* peer = FromHandle(child);
      if (!peer || GetParent(child) != container) return false;
      peer->OnCommand(HIWORD(wParam));
      result = 0;
      return true;
    }
    case WM_HSCROLL: {
      Wnd* peer = FromHandle(reinterpret_cast<HWND>(lParam));
      if (!peer) return false;
      peer->OnHScroll(LOWORD(wParam));
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      Wnd* peer = FromHandle(reinterpret_cast<HWND>(lParam));
      HBRUSH brush = peer ? peer->OnCtlColor(reinterpret_cast<HDC>(wParam)) : nullptr;
      if (!brush) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      Wnd* peer = FromHandle(item.hwndItem);
      if (!peer || !peer->OnDrawItem(item)) return false;
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK Wnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) self->Attach(window);
  }
  Wnd* self = FromHandle(window);
  LRESULT result = 0;
  if (self && self->OnMessage(message, wParam, lParam, result)) return result;
  result = DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY && self) self->Detach();
  return result;
}

LRESULT CALLBACK Wnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<Wnd*>(data);
  LRESULT result = 0;
  if (self->OnMessage(message, wParam, lParam, result)) return result;
  result = DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) self->Detach();
  return result;
}

}  // namespace vfx::platform::win32
