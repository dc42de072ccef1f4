// The rich edit box as Win32 has it, apart from the peer that keeps it in step with the model:
// its class, its text document, a quiet replacement of characters, its view and its menu.
#pragma once

#include <windows.h>
// The headers after windows.h.
#include <richedit.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/rich_text_looks.h"
#include "toolkit/menu.h"

struct ITextDocument;

namespace vfx::platform::win32 {

// Msftedit.dll's class, else riched20.dll's; null when the system has neither.
const wchar_t* RichEditClass();

// The box's text object model, which can hold the undo history still.
class TextDocument {
 public:
  TextDocument() = default;
  TextDocument(const TextDocument&) = delete;
  TextDocument& operator=(const TextDocument&) = delete;
  ~TextDocument();

  void Attach(HWND box);
  // Replaces `range` by the same characters in the looks `rtf` gives them. Nothing of it is the
  // user's doing: no change notice, no undo step, no move of the caret, the selection or the
  // view, and the box is drawn once, at the end.
  void ReplaceQuietly(HWND box, const std::wstring& rtf, CHARRANGE range) const;

 private:
  ITextDocument* document_ = nullptr;
};

// The characters of `placed` in the box's view, as [first, end).
std::pair<std::size_t, std::size_t> CharactersInView(HWND box, const std::vector<Placed>& placed);
POINT ScrollPosition(HWND box);
// The messages after which the box may show another part of its text.
bool MayScroll(UINT message);

bool KeyHeld(int key);
// As the multi-line edit box answers the dialog manager, except that Enter without Ctrl, Tab and
// Shift+Tab are left to it: Enter presses the default button and Tab moves on. The rich edit
// never hears of the dialog, so it keeps no dialog mode of its own that would swallow Ctrl+Enter.
LRESULT DialogCode(const MSG* message);

// The box's own context menu: Undo, Cut, Copy, Paste, Delete, Select All and "Preview Colours"
// (ticked while the looks show), each enabled as the box's state allows now. Each item acts on
// the box once the menu has closed; Paste and the preview are the caller's.
void FillEditMenu(toolkit::Menu& menu, HWND box, bool previewShown, std::function<void()> paste,
                  std::function<void(bool shown)> showPreview);

}  // namespace vfx::platform::win32
