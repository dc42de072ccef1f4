#include "platform/win32/dialogs.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/text.h"

namespace vfx::platform::win32 {

void Win32Dialogs::ShowMessage(WindowHandle owner, std::string_view caption,
                               std::string_view text) {
  MessageBoxW(reinterpret_cast<HWND>(owner), Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool Win32Fonts::CanDraw(std::string_view face, bool symbol, std::string_view text) {
  const std::wstring wideFace = Widen(face);
  if (wideFace.empty() || wideFace.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, wideFace.c_str(), LF_FACESIZE);

  HDC dc = GetDC(nullptr);
  bool installed = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&installed), 0);
  bool drawable = installed;
  if (installed && !symbol) {
    // Installed is not enough for the arrowheads: the face must have a glyph for each.
    wanted.lfHeight = -12;
    HFONT font = CreateFontIndirectW(&wanted);
    HGDIOBJ previous = SelectObject(dc, font);
    const std::wstring wideText = Widen(text);
    std::vector<WORD> glyphs(wideText.size() + 1);
    const DWORD count = GetGlyphIndicesW(dc, wideText.c_str(), static_cast<int>(wideText.size()),
                                         glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    drawable = count != GDI_ERROR;
    for (DWORD i = 0; drawable && i < count; ++i) drawable = glyphs[i] != 0xFFFF;
    SelectObject(dc, previous);
    DeleteObject(font);
  }
  ReleaseDC(nullptr, dc);
  return drawable;
}

}  // namespace vfx::platform::win32
