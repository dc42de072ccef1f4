// A dialog template written in memory (DLGTEMPLATEEX and its items), so that a dialog needs no
// resource script: the dialog manager then makes it a real dialog, with the system's dialog font
// (DS_SHELLFONT), tab order, default button, Enter, Escape and access keys. Places and sizes
// are dialog units, which follow the font.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace vfx::platform::win32 {

class DialogTemplate {
 public:
  // A modal frame with a caption and a close box, in the shell's dialog font at 8 points.
  DialogTemplate(std::wstring_view caption, short width, short height);

  // A control of a class named by its string ("BUTTON", "EDIT", "STATIC", HOTKEY_CLASSW, ...),
  // WS_CHILD and WS_VISIBLE added. Controls follow one another in tab order as added.
  struct Place {
    short x = 0, y = 0, width = 0, height = 0;
  };
  struct Item {
    const wchar_t* className = L"STATIC";
    std::wstring_view text{};
    DWORD style = 0;
    Place place{};
    int id = -1;
  };
  void Add(const Item& item);
  // The usual closing row, right-aligned in a dialog `width` wide, at `y`: "OK" (the default
  // button) and "Cancel", a group of their own.
  void AddOkCancel(short width, short y);

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
  int count() const { return count_; }

 private:
  void Put(std::wstring_view text);  // terminated UTF-16
  void PutDword(DWORD value);
  void AlignToDword();

  // Words keep the template WORD-aligned; items are aligned to DWORDs within it.
  std::vector<WORD> words_;
  std::size_t countAt_ = 0;
  int count_ = 0;
};

}  // namespace vfx::platform::win32
