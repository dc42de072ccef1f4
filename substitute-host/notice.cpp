#include "substitute-host/notice.h"

#include <set>
#include <vector>

#include "substitute-host/event_log.h"

namespace vfx::subhost {
namespace {

std::set<HWND>& OpenNotices() {
  static std::set<HWND> notices;
  return notices;
}

// An in-memory dialog template: DLGTEMPLATE, then its items, each DWORD-aligned.
class DialogTemplate {
 public:
  DialogTemplate(const char* caption, short width, short height) {
    Align();
    const DWORD style =
        DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    Dword(style);
    Dword(0);  // extended style
    count_ = words_.size();
    Word(0);  // item count, filled in by Add
    Word(0);
    Word(0);
    Word(static_cast<WORD>(width));
    Word(static_cast<WORD>(height));
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(caption);
    Word(8);
    Text("MS Shell Dlg");
  }

  // A control of a predefined class (0x0080 button, 0x0082 static).
  void Add(WORD atom, const char* text, int id, DWORD style, short x, short y, short width,
           short height) {
    Align();
    Dword(WS_CHILD | WS_VISIBLE | style);
    Dword(0);
    for (short value : {x, y, width, height}) Word(static_cast<WORD>(value));
    Word(static_cast<WORD>(id));
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);  // no creation data
    ++words_[count_];
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(length);
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    for (wchar_t c : wide) Word(static_cast<WORD>(c));
  }
  void Align() {
    if (words_.size() % 2) Word(0);
  }

  std::vector<WORD> words_;
  std::size_t count_ = 0;
};

void CloseNotice(HWND notice) {
  OpenNotices().erase(notice);
  DestroyWindow(notice);
}

INT_PTR CALLBACK NoticeProc(HWND notice, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) CloseNotice(notice);
      return TRUE;
    case WM_CLOSE:
      CloseNotice(notice);
      return TRUE;
    case WM_DESTROY:
      Log().Write("window-close", {Text("window", kNoticeCaption), Text("class", "#32770")});
      return TRUE;
  }
  return FALSE;
}

}  // namespace

HWND OpenNotice(HWND owner, const std::string& text) {
  DialogTemplate dialog(kNoticeCaption, 200, 62);
  dialog.Add(0x0082, text.c_str(), -1, SS_LEFT, 10, 10, 180, 24);
  dialog.Add(0x0080, "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 75, 40, 50, 14);
  HWND notice =
      CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialog.get(), owner, NoticeProc, 0);
  if (!notice) return nullptr;
  OpenNotices().insert(notice);
  Log().Write("window-open",
              {Text("window", kNoticeCaption), Text("class", "#32770"), Bytes("text", text)});
  return notice;
}

bool IsNoticeMessage(MSG& message) {
  // A copy: the message handled may close a notice.
  const std::set<HWND> notices = OpenNotices();
  for (HWND notice : notices)
    if (IsDialogMessageA(notice, &message)) return true;
  return false;
}

}  // namespace vfx::subhost
