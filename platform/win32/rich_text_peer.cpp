// A text box that draws each character in a look of its own: a rich edit (Msftedit.dll, else
// riched20.dll), which otherwise behaves as the multi-line edit box does. The looks are applied
// outside the user's editing: at most once per pass of the message loop, only where they changed,
// without moving the caret, the selection or the scroll position and without entering the undo
// history.
#include <windows.h>
// The headers after windows.h.
#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fade/utf8.h"
#include "platform/win32/peers.h"
#include "platform/win32/text.h"
#include "toolkit/text_box.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::CharacterLook;
using toolkit::Property;

// ITextDocument, which the import libraries do not all carry.
constexpr GUID kTextDocumentId = {
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

constexpr UINT kApplyLooks = WM_APP + 0x56;
constexpr UINT_PTR kApplyTimer = 0x5646;

enum MenuCommand : UINT {
  kUndo = 1,
  kCut,
  kCopy,
  kPaste,
  kDelete,
  kSelectAll,
  kPreviewColours,
};

const wchar_t* RichEditClass() {
  static const wchar_t* const name = []() -> const wchar_t* {
    if (LoadLibraryW(L"Msftedit.dll")) return L"RICHEDIT50W";
    if (LoadLibraryW(L"Riched20.dll")) return L"RichEdit20W";
    return nullptr;
  }();
  return name;
}

// One character of the model's text as the rich edit holds it: a line break ("\r\n", or a lone
// "\r" or "\n") is one paragraph mark; a character beyond the basic plane is two UTF-16 units.
struct Placed {
  LONG position = 0, length = 0;  // in the rich edit
  char32_t point = 0;
};

void AppendRtfText(std::wstring& out, char32_t point) {
  switch (point) {
    case U'\r':
    case U'\n':
      out += L"\\par ";
      return;
    case U'\\':
      out += L"\\\\";
      return;
    case U'{':
      out += L"\\{";
      return;
    case U'}':
      out += L"\\}";
      return;
    case U'\t':
      out += L"\\tab ";
      return;
    default:
      break;
  }
  if (point >= 0x20 && point < 0x7F) {
    out.push_back(static_cast<wchar_t>(point));
    return;
  }
  // Every other character by its UTF-16 units, with "?" as the reader's fallback.
  wchar_t pair[2];
  int count = 1;
  if (point >= 0x10000) {
    const char32_t offset = point - 0x10000;
    pair[0] = static_cast<wchar_t>(0xD800 + (offset >> 10));
    pair[1] = static_cast<wchar_t>(0xDC00 + (offset & 0x3FF));
    count = 2;
  } else {
    pair[0] = static_cast<wchar_t>(point);
  }
  for (int k = 0; k < count; ++k) {
    wchar_t word[16];
    std::swprintf(word, 16, L"\\u%d?", static_cast<int>(static_cast<short>(pair[k])));
    out += word;
  }
}

std::vector<Placed> PlaceCharacters(const std::string& text) {
  std::vector<Placed> placed;
  placed.reserve(text.size());
  const std::wstring wide = Widen(text);
  LONG position = 0;
  std::size_t unit = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t bytes = fade::CharacterLength(text, at);
    Placed p;
    p.position = position;
    const wchar_t first = wide[unit];
    const std::size_t units = (first >= 0xD800 && first < 0xDC00) ? 2 : 1;
    const bool lineFeedAfterReturn = first == L'\n' && at > 0 && text[at - 1] == '\r';
    p.length =
        lineFeedAfterReturn ? 0 : static_cast<LONG>(first == L'\r' || first == L'\n' ? 1 : units);
    p.point = units == 2 ? 0x10000 + ((first - 0xD800) << 10) + (wide[unit + 1] - 0xDC00) : first;
    position += p.length;
    unit += units;
    at += bytes;
    placed.push_back(std::move(p));
  }
  return placed;
}

std::u32string CodePoints(const std::string& text) {
  std::u32string points;
  const std::wstring wide = Widen(text);
  for (std::size_t k = 0; k < wide.size(); ++k) {
    char32_t point = wide[k];
    if (point >= 0xD800 && point < 0xDC00 && k + 1 < wide.size()) {
      point = 0x10000 + ((point - 0xD800) << 10) + (wide[k + 1] - 0xDC00);
      ++k;
    }
    points.push_back(point);
  }
  return points;
}

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

struct DocumentPtr {
  ITextDocument* document = nullptr;
  ~DocumentPtr() {
    if (document) document->Release();
  }
};

class RichTextPeer final : public ControlPeer {
 public:
  RichTextPeer(Win32Backend& backend, toolkit::TextBox& text, const wchar_t* className)
      : ControlPeer(backend, text), text_(text) {
    // No ES_WANTRETURN: Enter goes to the default button, Ctrl+Enter makes a line break.
    const DWORD lines = text.is_multi_line() ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
    Create({.className = className,
            .style = WS_TABSTOP | lines,
            .exStyle = WS_EX_CLIENTEDGE,
            .text = std::wstring()});
    if (!hwnd) return;
    // The typed line has no length limit of its own.
    SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    ApplyBackColour();
    fromModel_ = true;
    SetWindowTextW(hwnd, Widen(text.text()).c_str());
    fromModel_ = false;
    SendMessageW(hwnd, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
    IRichEditOle* ole = nullptr;
    if (SendMessageW(hwnd, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) && ole) {
      ole->QueryInterface(kTextDocumentId, reinterpret_cast<void**>(&document_.document));
      ole->Release();
    }
    ForgetLooks();
  }

  bool created() const { return hwnd != nullptr; }

  void Changed(Property property) override {
    switch (property) {
      case Property::kCaption:
        if (fromNative_) return;  // it holds that text already
        fromModel_ = true;
        ControlPeer::Changed(property);
        fromModel_ = false;
        ForgetLooks();
        return;
      case Property::kColours:
        ApplyBackColour();
        return ControlPeer::Changed(property);
      case Property::kFont:
        ControlPeer::Changed(property);
        ForgetLooks();
        return;
      case Property::kLook:
        Schedule();
        return;
      case Property::kBounds:
        ControlPeer::Changed(property);
        Schedule();  // more or less of the text is in view
        return;
      case Property::kEnabled:
      case Property::kVisible:
      case Property::kFocus:
        return ControlPeer::Changed(property);
      default:
        // Nothing else shows in the box; its window text is the user's line.
        return;
    }
  }

  void OnCommand(int code) override {
    if (code == EN_CHANGE && !applying_) TakeWindowText(false);
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (applying_ || !MayScroll(message)) return Handle(message, wParam, lParam, result);
    // The looks follow the view (InView): a scroll brings other characters into it.
    const POINT before = ScrollPosition();
    if (!Handle(message, wParam, lParam, result)) result = CallDefault(message, wParam, lParam);
    const POINT after = ScrollPosition();
    if (after.x != before.x || after.y != before.y) Schedule();
    return true;
  }

 private:
  static bool MayScroll(UINT message) {
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

  POINT ScrollPosition() const {
    POINT position{};
    SendMessageW(hwnd, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position));
    return position;
  }

  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
      case WM_GETDLGCODE:
        result = DialogCode(reinterpret_cast<const MSG*>(lParam));
        return true;
      case WM_LBUTTONDBLCLK:
        result = CallDefault(message, wParam, lParam);
        text_.double_click();
        return true;
      case WM_SETTEXT:
        // Text that another program or an accessibility tool sets must reach the model, or the
        // next Send would compose the old line. The rich edit draws it all in its own look.
        result = CallDefault(message, wParam, lParam);
        if (result && !fromModel_) TakeWindowText(true);
        return true;
      case WM_KEYDOWN:
        // Pasted text takes the box's looks, not the ones it was copied with.
        if ((wParam == 'V' && Held(VK_CONTROL)) || (wParam == VK_INSERT && Held(VK_SHIFT))) {
          PastePlain();
          result = 0;
          return true;
        }
        break;
      case WM_PASTE:
        PastePlain();
        result = 0;
        return true;
      case WM_CONTEXTMENU:
        ShowMenu(lParam);
        result = 0;
        return true;
      case kApplyLooks:
        scheduled_ = false;
        // Typing never waits: with input waiting, the looks follow when it has been handled.
        if (HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0) {
          scheduled_ = true;
          SetTimer(hwnd, kApplyTimer, USER_TIMER_MINIMUM, nullptr);
        } else {
          ApplyLooks();
        }
        result = 0;
        return true;
      case WM_TIMER:
        if (wParam != kApplyTimer) break;
        KillTimer(hwnd, kApplyTimer);
        scheduled_ = false;
        ApplyLooks();
        result = 0;
        return true;
      default:
        break;
    }
    return ControlPeer::OnMessage(message, wParam, lParam, result);
  }

  static bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

  // As the multi-line edit box answers the dialog manager, except that Enter without Ctrl, Tab
  // and Shift+Tab are left to it: Enter presses the default button and Tab moves on. The rich
  // edit never hears of the dialog, so it keeps no dialog mode of its own that would swallow
  // Ctrl+Enter.
  static LRESULT DialogCode(const MSG* message) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (message && message->message == WM_KEYDOWN &&
        (message->wParam == VK_TAB || (message->wParam == VK_RETURN && !Held(VK_CONTROL))))
      return code;
    return code | DLGC_WANTALLKEYS;
  }

  void ApplyBackColour() {
    SendMessageW(hwnd, EM_SETBKGNDCOLOR, 0,
                 static_cast<LPARAM>(Win32Backend::ToColorRef(control_.back_colour())));
  }

  void PastePlain() {
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY) return;
    SendMessageW(hwnd, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
  }

  // The whole text was replaced: nothing of it carries a look of ours any more.
  void ForgetLooks() {
    shownText_ = CodePoints(text_.text());
    shown_.assign(shownText_.size(), std::nullopt);
    Schedule();
  }

  void TakeWindowText(bool replacedWhole) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, wide.data(), length + 1)));
    // The model keeps line breaks as "\r\n", as the edit box gave them.
    std::wstring lines;
    lines.reserve(wide.size());
    for (std::size_t k = 0; k < wide.size(); ++k) {
      lines.push_back(wide[k]);
      if (wide[k] == L'\r' && (k + 1 == wide.size() || wide[k + 1] != L'\n'))
        lines.push_back(L'\n');
    }
    const std::string text = Narrow(lines);
    if (replacedWhole) {
      shownText_ = CodePoints(text);
      shown_.assign(shownText_.size(), std::nullopt);
    } else {
      FollowEdit(CodePoints(text));
    }
    fromNative_ = true;
    text_.set_text(text);
    fromNative_ = false;
    Schedule();
  }

  // An edit keeps the looks of the characters it did not touch. Which characters those were is
  // ambiguous inside a run of equal characters, so both readings count: whatever either takes for
  // new is new.
  void FollowEdit(const std::u32string& now) {
    const std::u32string& before = shownText_;
    const std::size_t shorter = std::min(before.size(), now.size());
    auto prefix = [&](std::size_t limit) {
      std::size_t n = 0;
      while (n < limit && before[n] == now[n]) ++n;
      return n;
    };
    auto suffix = [&](std::size_t limit) {
      std::size_t n = 0;
      while (n < limit && before[before.size() - 1 - n] == now[now.size() - 1 - n]) ++n;
      return n;
    };
    const std::size_t prefixFirst = prefix(shorter);
    const std::size_t suffixAfterPrefix = suffix(shorter - prefixFirst);
    const std::size_t suffixFirst = suffix(shorter);
    const std::size_t prefixAfterSuffix = prefix(shorter - suffixFirst);
    const std::size_t kept = std::min(prefixFirst, prefixAfterSuffix);
    const std::size_t keptAtEnd = std::min(suffixAfterPrefix, suffixFirst);

    std::vector<std::optional<CharacterLook>> looks(now.size());
    for (std::size_t k = 0; k < kept; ++k) looks[k] = shown_[k];
    for (std::size_t k = 0; k < keptAtEnd; ++k)
      looks[now.size() - 1 - k] = shown_[before.size() - 1 - k];
    shown_ = std::move(looks);
    shownText_ = now;
  }

  void Schedule() {
    if (scheduled_ || !hwnd) return;
    scheduled_ = true;
    PostMessageW(hwnd, kApplyLooks, 0, 0);
  }

  CharacterLook PlainLook() const {
    const toolkit::Font& font = control_.font();
    CharacterLook look;
    look.bold = font.bold;
    look.italic = font.italic;
    look.underline = font.underline;
    look.strike = font.strikethrough;
    return look;
  }

  void ApplyLooks() {
    if (!hwnd) return;
    const std::string& text = text_.text();
    const std::vector<Placed> placed = PlaceCharacters(text);
    if (placed.size() != shown_.size()) {
      // The box and the model disagree on the characters; start afresh.
      shownText_ = CodePoints(text);
      shown_.assign(placed.size(), std::nullopt);
    }
    static const std::vector<CharacterLook> kNone;
    const std::vector<CharacterLook>& looks = text_.look_shown() ? text_.look() : kNone;
    const CharacterLook plain = PlainLook();
    const auto [viewFirst, viewEnd] = InView(placed);
    auto wanted = [&](std::size_t k) -> const CharacterLook& {
      return k < looks.size() && k >= viewFirst && k < viewEnd ? looks[k] : plain;
    };
    std::size_t first = placed.size(), last = 0;
    for (std::size_t k = 0; k < placed.size(); ++k) {
      if (placed[k].length == 0) continue;
      if (!shown_[k] || *shown_[k] != wanted(k)) {
        first = std::min(first, k);
        last = k;
      }
    }
    if (first == placed.size()) return;

    // One stream of RTF over the changed characters: the rich edit lays the paragraph out once,
    // where a format per character would lay it out again for each.
    std::map<toolkit::Colour, int> colours;
    for (std::size_t k = first; k <= last; ++k)
      if (const auto& colour = wanted(k).colour) colours.emplace(*colour, 0);
    std::wstring rtf = L"{\\rtf1\\ansi\\deff0{\\colortbl;";
    int index = 0;
    for (auto& [colour, number] : colours) {
      number = ++index;
      wchar_t entry[64];
      std::swprintf(entry, 64, L"\\red%u\\green%u\\blue%u;", colour & 0xFF, (colour >> 8) & 0xFF,
                    (colour >> 16) & 0xFF);
      rtf += entry;
    }
    rtf += L"}";
    std::optional<CharacterLook> current;
    for (std::size_t k = first; k <= last; ++k) {
      if (placed[k].length == 0) continue;
      const CharacterLook& look = wanted(k);
      if (!current || *current != look) {
        // Only what changed: Wine's reader restyles the text once for every control word.
        const bool all = !current;
        const std::size_t before = rtf.size();
        if (all || current->colour != look.colour)
          rtf += L"\\cf" + std::to_wstring(look.colour ? colours[*look.colour] : 0);
        if (all || current->bold != look.bold) rtf += look.bold ? L"\\b" : L"\\b0";
        if (all || current->italic != look.italic) rtf += look.italic ? L"\\i" : L"\\i0";
        if (all || current->underline != look.underline)
          rtf += look.underline ? L"\\ul" : L"\\ulnone";
        if (all || current->strike != look.strike) rtf += look.strike ? L"\\strike" : L"\\strike0";
        if (all || current->script != look.script)
          rtf += look.script == CharacterLook::Script::kSubscript     ? L"\\sub"
                 : look.script == CharacterLook::Script::kSuperscript ? L"\\super"
                                                                      : L"\\nosupersub";
        if (rtf.size() != before) rtf += L' ';
        current = look;
      }
      AppendRtfText(rtf, placed[k].point);
    }
    rtf += L"}";
    const CHARRANGE range{placed[first].position, placed[last].position + placed[last].length};
    Stream(rtf, range);
    for (std::size_t k = first; k <= last; ++k) shown_[k] = wanted(k);
  }

  // The characters that carry their looks: those in view. Wine's rich edit lays a paragraph out
  // again after every change, at a cost that grows with its runs of different looks, so a long
  // line in looks throughout would make each keystroke wait for that. Out of view the box is
  // plain; a scroll brings the looks along in the same pass, before the box is painted.
  std::pair<std::size_t, std::size_t> InView(const std::vector<Placed>& placed) const {
    RECT client{};
    GetClientRect(hwnd, &client);
    auto at = [&](LONG x, LONG y) {
      POINTL point{x, y};
      const LONG position = static_cast<LONG>(
          SendMessageW(hwnd, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
      return static_cast<std::size_t>(
          std::partition_point(placed.begin(), placed.end(),
                               [&](const Placed& p) { return p.position + p.length <= position; }) -
          placed.begin());
    };
    const std::size_t top = at(0, 0);
    const std::size_t bottom = std::max(top, at(client.right - 1, client.bottom - 1));
    return {top, std::min(placed.size(), bottom + 1)};
  }

  // Replaces `range` by the same characters in new looks. Nothing of it is the user's doing: no
  // change notice, no undo step, no move of the caret, the selection or the view, and the box is
  // drawn once, at the end.
  void Stream(const std::wstring& rtfText, CHARRANGE range) {
    const std::string rtf = Narrow(rtfText);  // ASCII throughout
    StreamSource source{rtf};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadStream;

    applying_ = true;
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    const LRESULT events = SendMessageW(hwnd, EM_SETEVENTMASK, 0, 0);
    const LRESULT modified = SendMessageW(hwnd, EM_GETMODIFY, 0, 0);
    CHARRANGE selection{};
    SendMessageW(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    POINT scroll{};
    SendMessageW(hwnd, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    if (document_.document) document_.document->Undo(tomSuspend, nullptr);

    SendMessageW(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(hwnd, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));

    if (document_.document) document_.document->Undo(tomResume, nullptr);
    SendMessageW(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(hwnd, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SendMessageW(hwnd, EM_SETMODIFY, modified, 0);
    SendMessageW(hwnd, EM_SETEVENTMASK, 0, events);
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, FALSE);
    applying_ = false;
  }

  void ShowMenu(LPARAM at) {
    CHARRANGE selection{};
    SendMessageW(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const bool selected = selection.cpMax > selection.cpMin;
    const bool canPaste = SendMessageW(hwnd, EM_CANPASTE, CF_UNICODETEXT, 0) != 0;
    HMENU menu = CreatePopupMenu();
    auto add = [&](UINT id, const wchar_t* caption, bool enabled) {
      AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, caption);
    };
    add(kUndo, L"&Undo", SendMessageW(hwnd, EM_CANUNDO, 0, 0) != 0);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(kCut, L"Cu&t", selected);
    add(kCopy, L"&Copy", selected);
    add(kPaste, L"&Paste", canPaste);
    add(kDelete, L"&Delete", selected);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(kSelectAll, L"Select &All", GetWindowTextLengthW(hwnd) > 0);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | (text_.look_shown() ? MF_CHECKED : MF_UNCHECKED), kPreviewColours,
                L"Preview Colours");

    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
      // From the keyboard: at the caret.
      SendMessageW(hwnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), selection.cpMax);
      ClientToScreen(hwnd, &point);
    }
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd, nullptr));
    DestroyMenu(menu);
    switch (chosen) {
      case kUndo:
        SendMessageW(hwnd, EM_UNDO, 0, 0);
        break;
      case kCut:
        SendMessageW(hwnd, WM_CUT, 0, 0);
        break;
      case kCopy:
        SendMessageW(hwnd, WM_COPY, 0, 0);
        break;
      case kPaste:
        PastePlain();
        break;
      case kDelete:
        SendMessageW(hwnd, WM_CLEAR, 0, 0);
        break;
      case kSelectAll:
        SendMessageW(hwnd, EM_SETSEL, 0, -1);
        break;
      case kPreviewColours:
        text_.set_look_shown(!text_.look_shown());
        break;
      default:
        break;
    }
  }

  toolkit::TextBox& text_;
  DocumentPtr document_;
  // What the box shows: its characters as code points, and the look each was last given (none
  // where the box chose, after an edit or a new text).
  std::u32string shownText_;
  std::vector<std::optional<CharacterLook>> shown_;
  bool fromNative_ = false, fromModel_ = false, applying_ = false, scheduled_ = false;
};

}  // namespace

std::unique_ptr<toolkit::Peer> CreateRichTextPeer(Win32Backend& backend, toolkit::TextBox& text) {
  const wchar_t* className = RichEditClass();
  if (!className) return nullptr;
  auto peer = std::make_unique<RichTextPeer>(backend, text, className);
  if (!peer->created()) return nullptr;
  return peer;
}

}  // namespace vfx::platform::win32
