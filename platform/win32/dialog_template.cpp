#include "platform/win32/dialog_template.h"

namespace vfx::platform::win32 {

DialogTemplate::DialogTemplate(std::wstring_view caption, short width, short height) {
  words_.push_back(1);       // dlgVer
  words_.push_back(0xFFFF);  // signature: the extended template
  PutDword(0);               // helpID
  PutDword(0);               // exStyle
  PutDword(DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  countAt_ = words_.size();
  words_.push_back(0);  // cDlgItems, counted as items come
  for (short value : {short{0}, short{0}, width, height})
    words_.push_back(static_cast<WORD>(value));
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the dialog class
  Put(caption);
  words_.push_back(8);  // points
  words_.push_back(FW_NORMAL);
  words_.push_back(static_cast<WORD>(DEFAULT_CHARSET << 8));  // not italic, the default charset
  Put(L"MS Shell Dlg");
}

void DialogTemplate::Add(const Item& item) {
  AlignToDword();
  PutDword(0);  // helpID
  PutDword(0);  // exStyle
  PutDword(WS_CHILD | WS_VISIBLE | item.style);
  for (short value : {item.place.x, item.place.y, item.place.width, item.place.height})
    words_.push_back(static_cast<WORD>(value));
  PutDword(static_cast<DWORD>(item.id));
  Put(item.className);
  Put(item.text);
  words_.push_back(0);  // no creation data
  words_[countAt_] = static_cast<WORD>(++count_);
}

void DialogTemplate::AddOkCancel(short width, short y) {
  // Buttons 50 units wide, 4 apart, 7 from the edge: the dialog layout guidelines' sizes.
  constexpr short kButtonWidth = 50, kButtonHeight = 14, kGap = 4, kMargin = 7;
  const short cancelX = static_cast<short>(width - kMargin - kButtonWidth);
  const short okX = static_cast<short>(cancelX - kGap - kButtonWidth);
  Add({.className = L"BUTTON",
       .text = L"OK",
       .style = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
       .place = {okX, y, kButtonWidth, kButtonHeight},
       .id = IDOK});
  Add({.className = L"BUTTON",
       .text = L"Cancel",
       .style = BS_PUSHBUTTON | WS_TABSTOP,
       .place = {cancelX, y, kButtonWidth, kButtonHeight},
       .id = IDCANCEL});
}

void DialogTemplate::Put(std::wstring_view text) {
  for (wchar_t c : text) words_.push_back(static_cast<WORD>(c));
  words_.push_back(0);
}

void DialogTemplate::PutDword(DWORD value) {
  words_.push_back(LOWORD(value));
  words_.push_back(HIWORD(value));
}

void DialogTemplate::AlignToDword() {
  if (words_.size() % 2) words_.push_back(0);
}

}  // namespace vfx::platform::win32
