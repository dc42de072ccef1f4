#include "platform/win32/clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/report.h"
#include "platform/win32/system_text.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

// Memory the clipboard takes over once SetClipboardData succeeds; freed here until then.
class ClipboardMemory {
 public:
  ClipboardMemory(const void* bytes, std::size_t size) : memory_(GlobalAlloc(GMEM_MOVEABLE, size)) {
    if (!memory_) return;
    if (void* at = GlobalLock(memory_)) {
      std::memcpy(at, bytes, size);
      GlobalUnlock(memory_);
    } else {
      Free();
    }
  }
  ClipboardMemory(const ClipboardMemory&) = delete;
  ClipboardMemory& operator=(const ClipboardMemory&) = delete;
  ~ClipboardMemory() { Free(); }

  explicit operator bool() const { return memory_ != nullptr; }
  // True once the clipboard owns the memory.
  bool GiveTo(UINT format) {
    if (!SetClipboardData(format, memory_)) return false;
    memory_ = nullptr;
    return true;
  }

 private:
  void Free() {
    if (memory_) GlobalFree(memory_);
    memory_ = nullptr;
  }
  HGLOBAL memory_;
};

ClipboardWrite Failed(DWORD error) {
  return {ClipboardWrite::Kind::kFailed, SystemErrorWords(error)};
}

}  // namespace

ClipboardWrite Win32Clipboard::Put(WindowHandle owner, std::string_view text,
                                   std::optional<std::string_view> htmlFragment) {
  // Made before the clipboard is opened, so that it is held open no longer than the handing over.
  const std::wstring wide = Widen(text);
  ClipboardMemory unicode(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  const std::string html = htmlFragment ? HtmlClipboardData(*htmlFragment) : std::string();
  ClipboardMemory htmlMemory(html.c_str(), html.size() + 1);
  static const UINT kHtmlFormat = VFX_REPORT_IF_FALSE(RegisterClipboardFormatW(L"HTML Format"));
  if (!unicode || (htmlFragment && (!htmlMemory || !kHtmlFormat)))
    return Failed(ERROR_NOT_ENOUGH_MEMORY);

  bool open = false;
  for (int attempt = 0; attempt < kTries && !open; ++attempt) {
    if (attempt > 0) Sleep(kRetryMs);
    open = OpenClipboard(reinterpret_cast<HWND>(owner)) != FALSE;
  }
  if (!open) return {ClipboardWrite::Kind::kBusy, {}};
  // EmptyClipboard makes `owner` the clipboard's owner, as the system asks of SetClipboardData.
  bool done =
      VFX_REPORT_IF_FALSE(EmptyClipboard()) && VFX_REPORT_IF_FALSE(unicode.GiveTo(CF_UNICODETEXT));
  if (done && htmlFragment) done = VFX_REPORT_IF_FALSE(htmlMemory.GiveTo(kHtmlFormat));
  const DWORD error = done ? ERROR_SUCCESS : GetLastError();
  // Half a copy is none: the text alone would paste without its colours.
  if (!done) EmptyClipboard();
  VFX_REPORT_IF_FALSE(CloseClipboard());
  return done ? ClipboardWrite{ClipboardWrite::Kind::kDone, {}} : Failed(error);
}

}  // namespace vfx::platform::win32
