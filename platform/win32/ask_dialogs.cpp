#include "platform/win32/ask_dialogs.h"

// The headers after windows.h.
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/win32/event_pump.h"
#include "platform/win32/handles.h"
#include "platform/win32/report.h"
#include "platform/win32/system_text.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

// Blanks as the user sees them: spaces of every width, tabs and the invisible ones.
bool IsBlank(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) {
    return c == L' ' || c == L'\t' || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
  });
}

std::wstring ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Keys whose codes the number pad shares: without the extended flag the control names them
// as number-pad keys.
bool IsExtendedKey(unsigned key) {
  return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE ||
         key == VK_DIVIDE || key == VK_NUMLOCK;
}

}  // namespace

TemplateDialog::~TemplateDialog() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

int TemplateDialog::Run(HWND owner, Win32EventPump* events) {
  events_ = events;
  modal_ = true;
  ended_ = 0;
  const DialogTemplate layout = Layout();
  VFX_FAULT_IF_FALSE(DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner,
                                             Procedure, reinterpret_cast<LPARAM>(this)) != -1);
  // Gone with its owner, or never made: nothing was answered.
  if (ended_ == 0) ended_ = CancelButton();
  return ended_;
}

HWND TemplateDialog::Open(HWND owner) {
  modal_ = false;
  ended_ = 0;
  const DialogTemplate layout = Layout();
  return VFX_FAULT_IF_FALSE(CreateDialogIndirectParamW(
      GetModuleHandleW(nullptr), layout.get(), owner, Procedure, reinterpret_cast<LPARAM>(this)));
}

void TemplateDialog::End(int button) {
  ended_ = button;
  if (modal_)
    EndDialog(hwnd_, button);
  else
    DestroyWindow(hwnd_);
}

void TemplateDialog::CentreOverOwner() {
  RECT box, around;
  GetWindowRect(hwnd_, &box);
  const RECT work = WorkAreaOf(hwnd_);
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (!owner || !IsWindowVisible(owner) || IsIconic(owner) || !GetWindowRect(owner, &around))
    around = work;
  const int width = box.right - box.left, height = box.bottom - box.top;
  const int x = std::clamp((around.left + around.right - width) / 2, work.left,
                           std::max(work.left, work.right - width));
  const int y = std::clamp((around.top + around.bottom - height) / 2, work.top,
                           std::max(work.top, work.bottom - height));
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK TemplateDialog::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TemplateDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->hwnd_ = window;
    if (self->events_) self->events_->AddDialogWindow(window);
    self->OnInit();
    self->CentreOverOwner();
    if (HWND first = self->FirstFocus()) {
      SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
      return FALSE;
    }
    return TRUE;  // the first tab stop takes the focus, its text selected
  }
  auto* self = reinterpret_cast<TemplateDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK || id == IDYES) {
        // Enter reaches OK even while it is grey.
        if (self->Accept()) self->End(id);
      } else if (id == IDCANCEL) {
        self->End(self->CancelButton());
      } else if (id == IDNO) {
        self->End(IDNO);
      } else {
        self->OnCommand(id, HIWORD(wParam));
      }
      return TRUE;
    }
    case WM_DESTROY:
      if (self->events_) self->events_->RemoveDialogWindow(window);
      SetWindowLongPtrW(window, DWLP_USER, 0);
      self->hwnd_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

AskTextDialog::AskTextDialog(std::string caption, std::string prompt, std::string initial)
    : caption_(std::move(caption)), prompt_(std::move(prompt)), initial_(std::move(initial)) {}

DialogTemplate AskTextDialog::Layout() const {
  DialogTemplate layout(Widen(caption_), 200, 62);
  // The label just before the box in tab order is the box's name to a screen reader.
  const std::wstring prompt = Widen(prompt_);
  layout.Add(
      {.text = prompt, .style = SS_LEFT | WS_GROUP, .place = {7, 7, 186, 9}, .id = kAskPromptId});
  layout.Add({.className = L"EDIT",
              .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
              .place = {7, 18, 186, 14},
              .id = kAskTextId});
  layout.AddOkCancel(200, 40);
  return layout;
}

std::wstring AskTextDialog::Text() const { return ItemText(hwnd(), kAskTextId); }

void AskTextDialog::OnInit() {
  SetDlgItemTextW(hwnd(), kAskTextId, Widen(initial_).c_str());
  OnCommand(kAskTextId, EN_CHANGE);
}

void AskTextDialog::OnCommand(int id, int code) {
  if (id == kAskTextId && code == EN_CHANGE)
    EnableWindow(GetDlgItem(hwnd(), IDOK), !IsBlank(Text()));
}

bool AskTextDialog::Accept() {
  const std::wstring text = Text();
  if (IsBlank(text)) return false;
  answer_ = Narrow(text);
  return true;
}

AskYesNoDialog::AskYesNoDialog(std::string caption, std::string text)
    : caption_(std::move(caption)), text_(std::move(text)) {}

DialogTemplate AskYesNoDialog::Layout() const {
  // Sized to its text when it opens.
  DialogTemplate layout(Widen(caption_), 220, 60);
  const std::wstring text = Widen(text_);
  layout.Add({.text = text,
              .style = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
              .place = {7, 7, 206, 24},
              .id = kAskMessageId});
  layout.Add({.className = L"BUTTON",
              .text = L"&Yes",
              .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
              .place = {109, 39, 50, 14},
              .id = IDYES});
  layout.Add({.className = L"BUTTON",
              .text = L"&No",
              .style = BS_DEFPUSHBUTTON | WS_TABSTOP,
              .place = {163, 39, 50, 14},
              .id = IDNO});
  return layout;
}

HWND AskYesNoDialog::FirstFocus() const { return GetDlgItem(hwnd(), IDNO); }

void AskYesNoDialog::OnInit() {
  // Margin, gap, widest text, button height; button width and spacing: dialog units to pixels.
  RECT units{7, 7, 206, 14}, button{50, 0, 4, 0};
  MapDialogRect(hwnd(), &units);
  MapDialogRect(hwnd(), &button);
  const int margin = units.left, gap = units.top, buttonHeight = units.bottom;
  const int buttonWidth = button.left, spacing = button.right;

  HWND message = GetDlgItem(hwnd(), kAskMessageId);
  const std::wstring text = Widen(text_);
  RECT bounds{0, 0, units.right, 0};
  {
    const WindowDc dc(message);
    const Selected font(dc, reinterpret_cast<HFONT>(SendMessageW(message, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), -1, &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
  }
  const int width = std::max<int>(bounds.right, 2 * buttonWidth + spacing);
  const int height = std::max<int>(bounds.bottom, 1);
  MoveWindow(message, margin, gap, width, height, FALSE);
  const int top = gap + height + 2 * gap;
  MoveWindow(GetDlgItem(hwnd(), IDNO), margin + width - buttonWidth, top, buttonWidth, buttonHeight,
             FALSE);
  MoveWindow(GetDlgItem(hwnd(), IDYES), margin + width - 2 * buttonWidth - spacing, top,
             buttonWidth, buttonHeight, FALSE);
  RECT frame{0, 0, 2 * margin + width, top + buttonHeight + gap};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)));
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

AskHotKeyDialog::AskHotKeyDialog(std::string caption, std::string prompt, HotKey current)
    : caption_(std::move(caption)), prompt_(std::move(prompt)), current_(current) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_HOTKEY_CLASS;
    return VFX_FAULT_IF_FALSE(InitCommonControlsEx(&controls)) != FALSE;
  }();
  static_cast<void>(registered);
}

DialogTemplate AskHotKeyDialog::Layout() const {
  DialogTemplate layout(Widen(caption_), 200, 76);
  const std::wstring prompt = Widen(prompt_);
  layout.Add(
      {.text = prompt, .style = SS_LEFT | WS_GROUP, .place = {7, 7, 186, 9}, .id = kAskPromptId});
  layout.Add({.className = HOTKEY_CLASSW,
              .style = WS_BORDER | WS_TABSTOP,
              .place = {7, 18, 186, 14},
              .id = kAskHotKeyId});
  // The hot-key control takes no Windows key; a tick adds it.
  layout.Add({.className = L"BUTTON",
              .text = L"Also hold the &Windows key",
              .style = BS_AUTOCHECKBOX | WS_TABSTOP,
              .place = {7, 37, 186, 10},
              .id = kAskWindowsId});
  layout.AddOkCancel(200, 55);
  return layout;
}

void AskHotKeyDialog::OnInit() {
  // A key alone, or with Shift alone, would take that key from every program: Ctrl+Alt is added.
  SendDlgItemMessageW(hwnd(), kAskHotKeyId, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                      MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  BYTE modifiers = 0;
  if (current_.shift) modifiers |= HOTKEYF_SHIFT;
  if (current_.control) modifiers |= HOTKEYF_CONTROL;
  if (current_.alt) modifiers |= HOTKEYF_ALT;
  if (IsExtendedKey(current_.key)) modifiers |= HOTKEYF_EXT;
  SendDlgItemMessageW(hwnd(), kAskHotKeyId, HKM_SETHOTKEY,
                      MAKEWORD(static_cast<BYTE>(current_.key), modifiers), 0);
  CheckDlgButton(hwnd(), kAskWindowsId, current_.windows ? BST_CHECKED : BST_UNCHECKED);
  OnCommand(kAskHotKeyId, EN_CHANGE);
}

HotKey AskHotKeyDialog::Shown() const {
  const auto value =
      static_cast<WORD>(SendDlgItemMessageW(hwnd(), kAskHotKeyId, HKM_GETHOTKEY, 0, 0));
  const BYTE modifiers = HIBYTE(value);
  HotKey shown;
  shown.key = LOBYTE(value);
  shown.shift = modifiers & HOTKEYF_SHIFT;
  shown.control = modifiers & HOTKEYF_CONTROL;
  shown.alt = modifiers & HOTKEYF_ALT;
  shown.windows = IsDlgButtonChecked(hwnd(), kAskWindowsId) == BST_CHECKED;
  return shown;
}

void AskHotKeyDialog::OnCommand(int id, int code) {
  if (id == kAskHotKeyId && code == EN_CHANGE)
    EnableWindow(GetDlgItem(hwnd(), IDOK), !Shown().empty());
}

bool AskHotKeyDialog::Accept() {
  const HotKey shown = Shown();
  if (shown.empty()) return false;
  answer_ = shown;
  return true;
}

}  // namespace vfx::platform::win32
