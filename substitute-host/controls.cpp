#include "substitute-host/controls.h"

#include <richedit.h>

#include "substitute-host/event_log.h"
#include "substitute-host/hang.h"
#include "substitute-host/transcript.h"

namespace vfx::subhost {
namespace {

HINSTANCE gInstance = nullptr;
int gOwnTextChanges = 0;
int gOutsideTextDelayMs = 0;
int gOutsideEnterDelayMs = 0;

// A text set by another program (WM_SETTEXT that arrived from another thread) is recorded as
// received, before the control converts or trims anything. The host's own changes made while
// it handles another program's message count as its own, whatever InSendMessage says.
void LogOutsideSetText(HWND control, LPARAM text) {
  if (!InSendMessage() || gOwnTextChanges > 0 || text == 0) return;
  Log().Write("set-text",
              {Text("window", OwningCaption(control)), Text("control", ClassName(control)),
               Bytes("text", reinterpret_cast<const char*>(text))});
  if (gOutsideTextDelayMs > 0) Sleep(static_cast<DWORD>(gOutsideTextDelayMs));
}

// ---- superclasses of the standard controls

struct Superclass {
  const char* base;
  const char* name;
  WNDPROC proc;
  WNDPROC original = nullptr;
};

LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK RichTextProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM);

Superclass gSuperclasses[] = {
    {"EDIT", kEditClass, EditProc},      {RICHEDIT_CLASSA, kRichTextClass, RichTextProc},
    {"LISTBOX", kListClass, PlainProc},  {"LISTBOX", kTreeClass, PlainProc},
    {"STATIC", kStaticClass, PlainProc},
};

WNDPROC OriginalProc(HWND window) {
  const std::string name = ClassName(window);
  for (const Superclass& superclass : gSuperclasses)
    if (name == superclass.name) return superclass.original;
  return DefWindowProcA;
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(OriginalProc(window), window, message, wParam, lParam);
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const WNDPROC original = OriginalProc(window);
  if (message == WM_CHAR && wParam == VK_RETURN) {
    if (InSendMessage() && gOutsideEnterDelayMs > 0)
      Sleep(static_cast<DWORD>(gOutsideEnterDelayMs));
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), kEditEnter),
                 reinterpret_cast<LPARAM>(window));
    return 0;
  }
  if (message == WM_SETTEXT) LogOutsideSetText(window, lParam);
  return CallWindowProcA(original, window, message, wParam, lParam);
}

// A read-only "RICHCNTL" is a chat transcript, drawn by the host itself; the others are rich
// edit controls.
LRESULT CALLBACK RichTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const WNDPROC original = OriginalProc(window);
  if (message == WM_SETTEXT) LogOutsideSetText(window, lParam);
  LRESULT result = 0;
  if (HandleTranscriptMessage(window, message, wParam, lParam, &result)) return result;
  return CallWindowProcA(original, window, message, wParam, lParam);
}

bool RegisterSuperclass(Superclass& superclass) {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  if (!GetClassInfoExA(nullptr, superclass.base, &info) &&
      !GetClassInfoExA(GetModuleHandleA("riched20.dll"), superclass.base, &info))
    return false;
  superclass.original = info.lpfnWndProc;
  info.lpfnWndProc = superclass.proc;
  info.hInstance = gInstance;
  info.lpszClassName = superclass.name;
  info.style &= ~CS_GLOBALCLASS;
  return RegisterClassExA(&info) != 0;
}

// ---- "_AOL_Icon"

enum IconState : LONG_PTR { kPressed = 1, kMouseCapture = 2 };

LONG_PTR IconFlags(HWND icon) { return GetWindowLongPtrA(icon, 0); }
void SetIconFlags(HWND icon, LONG_PTR flags) {
  SetWindowLongPtrA(icon, 0, flags);
  InvalidateRect(icon, nullptr, FALSE);
}

COLORREF GlyphColour(const std::string& label) {
  static const COLORREF kPalette[] = {RGB(0x1F, 0x4E, 0xA8), RGB(0xF2, 0xB7, 0x05),
                                      RGB(0x2E, 0x8B, 0x57), RGB(0xC8, 0x3C, 0x2B),
                                      RGB(0x6A, 0x3D, 0x9A), RGB(0x00, 0x8C, 0xB4)};
  unsigned hash = 0;
  for (const char c : label) hash = hash * 31 + static_cast<unsigned char>(c);
  return kPalette[hash % (sizeof kPalette / sizeof kPalette[0])];
}

void PaintGlyph(HDC dc, const RECT& client, const std::string& label, int offset) {
  const int width = 22, height = 15;
  const int left = (client.right - width) / 2 + offset, top = 4 + offset;
  HBRUSH brush = CreateSolidBrush(GlyphColour(label));
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  RoundRect(dc, left, top, left + width, top + height, 6, 6);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
}

void PaintIcon(HWND icon) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(icon, &paint);
  RECT client;
  GetClientRect(icon, &client);
  const bool pressed = (IconFlags(icon) & kPressed) != 0;
  const bool tall = client.bottom >= 34;
  const std::string label = WindowText(icon);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &client, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  const int offset = pressed ? 1 : 0;
  RECT text = client;
  OffsetRect(&text, offset, offset);
  if (tall) {
    PaintGlyph(dc, client, label, offset);
    text.top += 19;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(icon) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  HGDIOBJ oldFont = SelectObject(dc, tall ? SmallFont() : InterfaceFont());
  DrawTextA(dc, label.c_str(), -1, &text,
            DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | (tall ? DT_TOP : DT_VCENTER));
  SelectObject(dc, oldFont);
  EndPaint(icon, &paint);
}

void ClickIcon(HWND icon, bool bySentMessage) {
  Log().Write("click", {Text("window", OwningCaption(icon)),
                        Text("button", WindowText(icon)),
                        {"index", std::to_string(SiblingIndex(icon)), LogField::kNumber},
                        Text("source", bySentMessage ? "message" : "mouse")});
  HangIf(HangPoint::kClick);
  SendMessageA(GetParent(icon), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(icon), kIconClicked),
               reinterpret_cast<LPARAM>(icon));
}

// The add-on presses a button with WM_LBUTTONDOWN then WM_LBUTTONUP sent from its own thread,
// both at 0,0; a person does it with the mouse. Only a real press takes the mouse capture, so
// a sent press never leaves the host's mouse captured.
void IconButtonDown(HWND icon) {
  LONG_PTR flags = kPressed;
  if (!InSendMessage()) {
    SetCapture(icon);
    flags |= kMouseCapture;
  }
  SetIconFlags(icon, flags);
}

void IconButtonUp(HWND icon, LPARAM position) {
  const LONG_PTR flags = IconFlags(icon);
  if ((flags & kPressed) == 0) return;
  SetIconFlags(icon, 0);
  if (flags & kMouseCapture) ReleaseCapture();
  RECT client;
  GetClientRect(icon, &client);
  const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (PtInRect(&client, point)) ClickIcon(icon, (flags & kMouseCapture) == 0);
}

LRESULT CALLBACK IconProc(HWND icon, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      IconButtonDown(icon);
      return 0;
    case WM_LBUTTONUP:
      IconButtonUp(icon, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      if (IconFlags(icon) & kMouseCapture) SetIconFlags(icon, 0);
      return 0;
    case BM_CLICK:
      ClickIcon(icon, InSendMessage() != FALSE);
      return 0;
    case WM_PAINT:
      PaintIcon(icon);
      return 0;
    case WM_SETTEXT:
      InvalidateRect(icon, nullptr, FALSE);
      break;
  }
  return DefWindowProcA(icon, message, wParam, lParam);
}

bool RegisterIconClass() {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  info.style = CS_HREDRAW | CS_VREDRAW;
  info.lpfnWndProc = IconProc;
  info.cbWndExtra = sizeof(LONG_PTR);
  info.hInstance = gInstance;
  info.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
  info.lpszClassName = kIconClass;
  return RegisterClassExA(&info) != 0;
}

HFONT MakeFont(const char* face, int pixels, int weight) {
  return CreateFontA(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, face);
}

}  // namespace

bool RegisterControlClasses(HINSTANCE instance) {
  gInstance = instance;
  if (!LoadLibraryA("riched20.dll")) return false;
  bool ok = RegisterIconClass();
  for (Superclass& superclass : gSuperclasses) ok = RegisterSuperclass(superclass) && ok;
  return ok;
}

HWND CreateControl(HWND parent, const ControlArgs& args) {
  HWND control =
      CreateWindowExA(args.exStyle, args.className, args.text, WS_CHILD | WS_VISIBLE | args.style,
                      args.x, args.y, args.width, args.height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), gInstance, nullptr);
  SendMessageA(control, WM_SETFONT,
               reinterpret_cast<WPARAM>(args.font ? args.font : InterfaceFont()), FALSE);
  // The host puts no limit of its own on what can be typed or sent.
  if (lstrcmpA(args.className, kEditClass) == 0) SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
  if (lstrcmpA(args.className, kRichTextClass) == 0)
    SendMessageA(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  return control;
}

HFONT InterfaceFont() {
  static const HFONT font = MakeFont("Tahoma", 12, FW_NORMAL);
  return font;
}

HFONT InterfaceBoldFont() {
  static const HFONT font = MakeFont("Tahoma", 12, FW_BOLD);
  return font;
}

HFONT SmallFont() {
  static const HFONT font = MakeFont("Tahoma", 10, FW_NORMAL);
  return font;
}

void SetOwnText(HWND control, const char* text) {
  ++gOwnTextChanges;
  SetWindowTextA(control, text);
  --gOwnTextChanges;
}

std::string WindowText(HWND window) {
  std::string text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string OwningCaption(HWND control) {
  for (HWND window = GetParent(control); window; window = GetParent(window)) {
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION) return WindowText(window);
  }
  return {};
}

int SiblingIndex(HWND window) {
  int index = 0;
  for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling && sibling != window;
       sibling = GetWindow(sibling, GW_HWNDNEXT))
    ++index;
  return index;
}

void SetOutsideTextDelay(int milliseconds) { gOutsideTextDelayMs = milliseconds; }
void SetOutsideEnterDelay(int milliseconds) { gOutsideEnterDelayMs = milliseconds; }

}  // namespace vfx::subhost
