#include "platform/win32/wnd.h"

#include <string>

#include "platform/win32/report.h"

namespace vfx::platform::win32 {
namespace {

// The property marks a window as ours for the reflection, which also sees other windows; the
// hot path of every message reads the peer from the window's user data instead, which costs no
// trip to the window server.
constexpr wchar_t kPeerProperty[] = L"VontraFX.Peer";

Wnd* Self(HWND window) { return reinterpret_cast<Wnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

HWND CreateFrom(const CreateArgs& args, HMENU menu, void* param) {
  const std::wstring text(args.text);
  const RECT& place = args.place;
  return VFX_FAULT_IF_FALSE(CreateWindowExW(args.exStyle, args.className, text.c_str(), args.style,
                                            place.left, place.top, place.right - place.left,
                                            place.bottom - place.top, args.parent, menu,
                                            GetModuleHandleW(nullptr), param));
}

HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

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
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Without the property the window's notifications would reach no peer.
  VFX_FAULT_IF_FALSE(SetPropW(window, kPeerProperty, this));
}

void Wnd::Detach() {
  if (!hwnd) return;
  RemovePropW(hwnd, kPeerProperty);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (original_) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  hwnd = nullptr;
}

LRESULT Wnd::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return original_ ? CallWindowProcW(original_, hwnd, message, wParam, lParam)
                   : DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Wnd::CreateControl(const CreateArgs& args) {
  HWND window = CreateFrom(args, ChildId(args.id), nullptr);
  if (!window) return nullptr;
  Attach(window);
  // Classic subclassing: comctl32's subclass chain costs a noticeable time per message, and a
  // scroll bar set by code receives one message per step of the Randomize walk.
  original_ = reinterpret_cast<WNDPROC>(VFX_FAULT_IF_FALSE(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc))));
  return window;
}

HWND Wnd::CreateCustom(const CreateArgs& args) {
  return CreateFrom(args, (args.style & WS_CHILD) ? ChildId(args.id) : nullptr, this);
}

void Wnd::FillClient(HDC dc, HBRUSH brush) const {
  RECT area;
  GetClientRect(hwnd, &area);
  FillRect(dc, &area, brush);
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
  windowClass.hCursor =
      VFX_FAULT_IF_FALSE(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.lpszClassName = className;
  VFX_FAULT_IF_FALSE(RegisterClassExW(&windowClass));
}

bool Wnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Wnd::Reflect(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      HWND child = reinterpret_cast<HWND>(lParam);
      // The dialog manager's Enter names the default button by ID and may leave the handle out;
      // for a focused button inside a frame it tells the form, not the frame.
      if (!child && HIWORD(wParam) == BN_CLICKED) child = GetDlgItem(container, LOWORD(wParam));
      Wnd* peer = FromHandle(child);
      if (!peer || !IsChild(container, child)) return false;
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
  Wnd* self = Self(window);
  LRESULT result = 0;
  if (self && self->OnMessage(message, wParam, lParam, result)) return result;
  result = DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY && self) self->Detach();
  return result;
}

LRESULT CALLBACK Wnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Wnd* self = Self(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (self->OnMessage(message, wParam, lParam, result)) return result;
  result = CallWindowProcW(self->original_, window, message, wParam, lParam);
  if (message == WM_NCDESTROY) self->Detach();
  return result;
}

}  // namespace vfx::platform::win32
