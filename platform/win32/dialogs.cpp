#include "platform/win32/dialogs.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/ask_dialogs.h"
#include "platform/win32/event_pump.h"
#include "platform/win32/handles.h"
#include "platform/win32/report.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {

void Win32Dialogs::ShowMessage(WindowHandle owner, std::string_view caption,
                               std::string_view text) {
  VFX_FAULT_IF_FALSE(MessageBoxW(reinterpret_cast<HWND>(owner), Widen(text).c_str(),
                                 Widen(caption).c_str(), MB_OK));
}

bool Win32Dialogs::Ending() const { return events_ && events_->IsEnding(); }

std::optional<std::string> Win32Dialogs::AskText(WindowHandle owner, std::string_view caption,
                                                 std::string_view prompt,
                                                 std::string_view initial) {
  if (Ending()) return std::nullopt;
  AskTextDialog dialog{std::string(caption), std::string(prompt), std::string(initial)};
  if (dialog.Run(reinterpret_cast<HWND>(owner), events_) != IDOK) return std::nullopt;
  return dialog.answer();
}

bool Win32Dialogs::AskYesNo(WindowHandle owner, std::string_view caption, std::string_view text) {
  if (Ending()) return false;
  AskYesNoDialog dialog{std::string(caption), std::string(text)};
  return dialog.Run(reinterpret_cast<HWND>(owner), events_) == IDYES;
}

std::optional<HotKey> Win32Dialogs::AskHotKey(WindowHandle owner, std::string_view caption,
                                              std::string_view prompt, const HotKey& current) {
  if (Ending()) return std::nullopt;
  AskHotKeyDialog dialog{std::string(caption), std::string(prompt), current};
  if (dialog.Run(reinterpret_cast<HWND>(owner), events_) != IDOK) return std::nullopt;
  return dialog.answer();
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

  const WindowDc dc;
  bool installed = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&installed), 0);
  bool drawable = installed;
  if (installed && !symbol) {
    // Installed is not enough for the arrowheads: the face must have a glyph for each.
    wanted.lfHeight = -12;
    const OwnedFont font = MakeFont(wanted);
    const Selected selected(dc, font.get());
    const std::wstring wideText = Widen(text);
    std::vector<WORD> glyphs(wideText.size() + 1);
    const DWORD count = GetGlyphIndicesW(dc, wideText.c_str(), static_cast<int>(wideText.size()),
                                         glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    drawable = count != GDI_ERROR;
    for (DWORD i = 0; drawable && i < count; ++i) drawable = glyphs[i] != 0xFFFF;
  }
  return drawable;
}

bool Win32Fonts::DrawsSolid(std::string_view face, bool symbol, std::string_view text,
                            double points) {
  const std::wstring wideFace = Widen(face);
  if (wideFace.empty() || wideFace.size() >= LF_FACESIZE) return false;
  const WindowDc dc;
  LOGFONTW wanted{};
  wanted.lfHeight =
      -std::max(1, static_cast<int>(points * GetDeviceCaps(dc, LOGPIXELSY) / 72 + 0.5));
  wanted.lfCharSet = symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, wideFace.c_str(), LF_FACESIZE);
  const OwnedFont font = MakeFont(wanted);
  const Selected selected(dc, font.get());
  bool solid = true;
  for (wchar_t character : Widen(text)) {
    // A symbol face keeps its pictures in the private use area, at U+F000 and up.
    if (symbol && character < 0x100) character = static_cast<wchar_t>(0xF000 | character);
    GLYPHMETRICS metrics{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const DWORD size =
        GetGlyphOutlineW(dc, character, GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &identity);
    const UINT width = metrics.gmBlackBoxX, height = metrics.gmBlackBoxY;
    if (size == GDI_ERROR || size == 0 || width < 3 || height < 3) {
      solid = false;
      break;
    }
    std::vector<BYTE> levels(size);
    GetGlyphOutlineW(dc, character, GGO_GRAY8_BITMAP, &metrics, size, levels.data(), &identity);
    // Ink over the glyph's box, 64 levels a pixel: a filled arrowhead covers about half of its
    // box, an outline drawn in hairlines a sixth.
    const UINT pitch = (width + 3) & ~3u;
    double ink = 0;
    for (UINT y = 0; y < height; ++y)
      for (UINT x = 0; x < width; ++x) ink += levels[y * pitch + x];
    if (ink / 64 / (width * height) < 0.3) {
      solid = false;
      break;
    }
  }
  return solid;
}

}  // namespace vfx::platform::win32
