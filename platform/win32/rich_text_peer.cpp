// A text box that draws each character in a look of its own: a rich edit (Msftedit.dll, else
// riched20.dll), which otherwise behaves as the multi-line edit box does. The looks are applied
// outside the user's editing: at most once per pass of the message loop, only where they changed,
// without moving the caret, the selection or the scroll position and without entering the undo
// history.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/edit_peer.h"
#include "platform/win32/report.h"
#include "platform/win32/rich_edit.h"
#include "platform/win32/rich_text_looks.h"
#include "platform/win32/text.h"
#include "toolkit/text_box.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::CharacterLook;
using toolkit::Property;

constexpr UINT kApplyLooks = WM_APP + 0x56;
constexpr UINT_PTR kApplyTimer = 0x5646;

class RichTextPeer final : public EditPeer {
 public:
  RichTextPeer(Win32Backend& backend, toolkit::TextBox& text, const wchar_t* className)
      : EditPeer(backend, text) {
    CreateBox(className, std::wstring());
    if (!hwnd) return;
    // The typed line has no length limit of its own.
    SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    ApplyBackColour();
    ShowModelText();
    SendMessageW(hwnd, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
    document_.Attach(hwnd);
    ForgetLooks();
  }

  bool created() const { return hwnd != nullptr; }

  void Changed(Property property) override {
    switch (property) {
      case Property::kCaption:
        if (ShowModelText()) ForgetLooks();
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
    // The looks follow the view: a scroll brings other characters into it.
    const POINT before = ScrollPosition(hwnd);
    if (!Handle(message, wParam, lParam, result)) result = CallDefault(message, wParam, lParam);
    const POINT after = ScrollPosition(hwnd);
    if (after.x != before.x || after.y != before.y) Schedule();
    return true;
  }

 private:
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
      case WM_GETDLGCODE:
        result = DialogCode(reinterpret_cast<const MSG*>(lParam));
        return true;
      case WM_KEYDOWN:
        // Pasted text takes the box's looks, not the ones it was copied with.
        if ((wParam == 'V' && KeyHeld(VK_CONTROL)) || (wParam == VK_INSERT && KeyHeld(VK_SHIFT))) {
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
        // The model's menu, when the box has one; else the box's own.
        if (!OnContextMenu(wParam, lParam, result)) ShowMenu(lParam);
        result = 0;
        return true;
      case kApplyLooks:
        scheduled_ = false;
        // Typing never waits: with input waiting, the looks follow when it has been handled.
        if (HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0) {
          scheduled_ = true;
          // Were it lost, the looks would never be applied again: scheduled_ stays set.
          VFX_FAULT_IF_FALSE(SetTimer(hwnd, kApplyTimer, USER_TIMER_MINIMUM, nullptr));
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
    return EditPeer::OnMessage(message, wParam, lParam, result);
  }

  void ApplyBackColour() {
    SendMessageW(hwnd, EM_SETBKGNDCOLOR, 0,
                 static_cast<LPARAM>(Win32Backend::ToColorRef(control_.back_colour())));
  }

  void PastePlain() {
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY) return;
    SendMessageW(hwnd, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
  }

  void ForgetLooks() {
    shown_.Replace(text_.text());
    Schedule();
  }

  void TakeWindowText(bool replacedWhole) override {
    const std::wstring wide = BoxText();
    // The model keeps line breaks as "\r\n", as the edit box gave them.
    std::wstring lines;
    lines.reserve(wide.size());
    for (std::size_t k = 0; k < wide.size(); ++k) {
      lines.push_back(wide[k]);
      if (wide[k] == L'\r' && (k + 1 == wide.size() || wide[k + 1] != L'\n'))
        lines.push_back(L'\n');
    }
    const std::string text = Narrow(lines);
    if (replacedWhole)
      shown_.Replace(text);
    else
      shown_.FollowEdit(CodePoints(text));
    GiveModel(text);
    Schedule();
  }

  void Schedule() {
    if (scheduled_ || !hwnd) return;
    scheduled_ = true;
    VFX_FAULT_IF_FALSE(PostMessageW(hwnd, kApplyLooks, 0, 0));
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
    std::vector<std::optional<CharacterLook>>& shown = shown_.looks;
    if (placed.size() != shown.size()) {
      // The box and the model disagree on the characters; start afresh.
      shown_.text = CodePoints(text);
      shown.assign(placed.size(), std::nullopt);
    }
    static const std::vector<CharacterLook> kNone;
    const std::vector<CharacterLook>& looks = text_.look_shown() ? text_.look() : kNone;
    const CharacterLook plain = PlainLook();
    // Only the characters in view carry their looks. Wine's rich edit lays a paragraph out again
    // after every change, at a cost that grows with its runs of different looks, so a long line
    // in looks throughout would make each keystroke wait for that. Out of view the box is plain;
    // a scroll brings the looks along in the same pass, before the box is painted.
    const std::pair<std::size_t, std::size_t> view = CharactersInView(hwnd, placed);
    auto wanted = [&](std::size_t k) -> const CharacterLook& {
      return k < looks.size() && k >= view.first && k < view.second ? looks[k] : plain;
    };
    std::size_t first = placed.size(), last = 0;
    for (std::size_t k = 0; k < placed.size(); ++k) {
      if (placed[k].length == 0) continue;
      if (!shown[k] || *shown[k] != wanted(k)) {
        first = std::min(first, k);
        last = k;
      }
    }
    if (first == placed.size()) return;

    const CHARRANGE range{placed[first].position, placed[last].position + placed[last].length};
    applying_ = true;
    document_.ReplaceQuietly(hwnd, LooksRtf(placed, first, last, wanted), range);
    applying_ = false;
    for (std::size_t k = first; k <= last; ++k) shown[k] = wanted(k);
  }

  void ShowMenu(LPARAM at) {
    toolkit::Menu menu;
    FillEditMenu(
        menu, hwnd, text_.look_shown(), [this] { PastePlain(); },
        [this](bool shown) { text_.set_look_shown(shown); });
    if (text_.on_own_menu) text_.on_own_menu(menu);
    text_.popup_menu(menu, MenuPlaceOf(at));
  }

  TextDocument document_;
  ShownLooks shown_;
  bool applying_ = false, scheduled_ = false;
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
