#include "platform/win32/rich_edit.h"

// The headers after windows.h.
#include <richole.h>
#include <tom.h>

#include <algorithm>

#include "platform/win32/report.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

// ITextDocument, which the import libraries do not all carry.
constexpr GUID kTextDocumentId = {
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

// EM_STREAMIN's reader over bytes in memory.
struct StreamSource {
  const std::string& bytes;
  std::size_t at = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& from = *reinterpret_cast<StreamSource*>(cookie);
  const std::size_t n =
      std::min<std::size_t>(static_cast<std::size_t>(wanted), from.bytes.size() - from.at);
  std::copy_n(from.bytes.data() + from.at, n, buffer);
  from.at += n;
  *given = static_cast<LONG>(n);
  return 0;
}

}  // namespace

const wchar_t* RichEditClass() {
  static const wchar_t* const name = []() -> const wchar_t* {
    // Older systems have no Msftedit.dll; without either the box stays a plain edit box.
    if (LoadLibraryW(L"Msftedit.dll")) return L"RICHEDIT50W";
    if (VFX_REPORT_IF_FALSE(LoadLibraryW(L"Riched20.dll"))) return L"RichEdit20W";
    return nullptr;
  }();
  return name;
}

TextDocument::~TextDocument() {
  if (document_) document_->Release();
}

void TextDocument::Attach(HWND box) {
  // Without the document the looks' replacements would enter the undo history.
  IRichEditOle* ole = nullptr;
  if (VFX_FAULT_IF_FALSE(
          SendMessageW(box, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole))) &&
      ole) {
    VFX_FAULT_IF_FAILED(ole->QueryInterface(kTextDocumentId, reinterpret_cast<void**>(&document_)));
    ole->Release();
  }
}

void TextDocument::ReplaceQuietly(HWND box, const std::wstring& rtfText, CHARRANGE range) const {
  const std::string rtf = Narrow(rtfText);  // ASCII throughout
  StreamSource source{rtf};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = ReadStream;

  SendMessageW(box, WM_SETREDRAW, FALSE, 0);
  const LRESULT events = SendMessageW(box, EM_SETEVENTMASK, 0, 0);
  const LRESULT modified = SendMessageW(box, EM_GETMODIFY, 0, 0);
  CHARRANGE selection{};
  SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  POINT scroll{};
  SendMessageW(box, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  if (document_) document_->Undo(tomSuspend, nullptr);

  SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  SendMessageW(box, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));

  if (document_) document_->Undo(tomResume, nullptr);
  SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageW(box, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  SendMessageW(box, EM_SETMODIFY, modified, 0);
  SendMessageW(box, EM_SETEVENTMASK, 0, events);
  SendMessageW(box, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(box, nullptr, FALSE);
}

std::pair<std::size_t, std::size_t> CharactersInView(HWND box, const std::vector<Placed>& placed) {
  RECT client{};
  GetClientRect(box, &client);
  auto at = [&](LONG x, LONG y) {
    POINTL point{x, y};
    const LONG position =
        static_cast<LONG>(SendMessageW(box, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
    return static_cast<std::size_t>(
        std::partition_point(placed.begin(), placed.end(),
                             [&](const Placed& p) { return p.position + p.length <= position; }) -
        placed.begin());
  };
  const std::size_t top = at(0, 0);
  const std::size_t bottom = std::max(top, at(client.right - 1, client.bottom - 1));
  return {top, std::min(placed.size(), bottom + 1)};
}

POINT ScrollPosition(HWND box) {
  POINT position{};
  SendMessageW(box, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position));
  return position;
}

bool MayScroll(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_TIMER:
    case EM_SETSEL:
    case EM_EXSETSEL:
    case EM_LINESCROLL:
    case EM_SCROLL:
    case EM_SCROLLCARET:
    case EM_SETSCROLLPOS:
      return true;
    default:
      return false;
  }
}

bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

LRESULT DialogCode(const MSG* message) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (message && message->message == WM_KEYDOWN &&
      (message->wParam == VK_TAB || (message->wParam == VK_RETURN && !KeyHeld(VK_CONTROL))))
    return code;
  return code | DLGC_WANTALLKEYS;
}

void FillEditMenu(toolkit::Menu& menu, HWND box, bool previewShown, std::function<void()> paste,
                  std::function<void(bool shown)> showPreview) {
  CHARRANGE selection{};
  SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const bool selected = selection.cpMax > selection.cpMin;
  auto send = [box](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return [=] { SendMessageW(box, message, wParam, lParam); };
  };
  menu.add_item("&Undo", send(EM_UNDO)).set_enabled(SendMessageW(box, EM_CANUNDO, 0, 0) != 0);
  menu.add_separator();
  menu.add_item("Cu&t", send(WM_CUT)).set_enabled(selected);
  menu.add_item("&Copy", send(WM_COPY)).set_enabled(selected);
  menu.add_item("&Paste", std::move(paste))
      .set_enabled(SendMessageW(box, EM_CANPASTE, CF_UNICODETEXT, 0) != 0);
  menu.add_item("&Delete", send(WM_CLEAR)).set_enabled(selected);
  menu.add_separator();
  menu.add_item("Select &All", send(EM_SETSEL, 0, -1)).set_enabled(GetWindowTextLengthW(box) > 0);
  menu.add_separator();
  toolkit::Action& preview = *menu.add_check_item("Preview Colours", previewShown).action();
  preview.on_activation = [&preview, showPreview = std::move(showPreview)] {
    showPreview(preview.is_checked());
  };
}

}  // namespace vfx::platform::win32
