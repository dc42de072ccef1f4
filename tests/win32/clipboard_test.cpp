// The clipboard seam on the real clipboard: both formats read back as a pasting program reads
// them, and a clipboard another program holds open is waited for, then reported, with what it
// held left alone.
#include "platform/win32/clipboard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace vfx::platform::win32 {
namespace {

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"(not open)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::string ClipboardHtml() {
  std::string html;
  if (!OpenClipboard(nullptr)) return "(not open)";
  if (HANDLE data = GetClipboardData(RegisterClipboardFormatW(L"HTML Format"))) {
    html = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return html;
}

constexpr char kHolderVariable[] = "VFX_CLIPBOARD_HOLDER";

// The program itself, started again: another program that holds the clipboard open.
TEST(ClipboardHolder, HoldsTheClipboardUntilReleased) {
  if (!GetEnvironmentVariableA(kHolderVariable, nullptr, 0)) GTEST_SKIP() << "only as a child";
  const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(OpenClipboard(window));
  HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, "vfx-clipboard-held");
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "vfx-clipboard-release");
  ASSERT_NE(held, nullptr);
  ASSERT_NE(release, nullptr);
  SetEvent(held);
  EXPECT_EQ(WaitForSingleObject(release, 20000), WAIT_OBJECT_0);
  CloseClipboard();
  DestroyWindow(window);
  CloseHandle(held);
  CloseHandle(release);
}

TEST(Win32Clipboard, PutsTheTextAndTheHtmlFormatAndWaitsForAnotherHolder) {
  Win32Clipboard clipboard;
  const std::string fragment = "<span style=\"color:#ff0000\">\xC3\xA9</span>";
  ASSERT_TRUE(clipboard.Put(0, "[color=#FF0000]\xC3\xA9[/color]", fragment).done());
  EXPECT_EQ(ClipboardText(), L"[color=#FF0000]\x00E9[/color]");
  EXPECT_EQ(ClipboardHtml(), HtmlClipboardData(fragment));

  ASSERT_TRUE(clipboard.Put(0, "plain", std::nullopt).done());
  EXPECT_EQ(ClipboardText(), L"plain");
  EXPECT_EQ(ClipboardHtml(), "") << "an earlier copy's HTML must not stay with new text";

  // Another program holds it open past the retries.
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "vfx-clipboard-held");
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "vfx-clipboard-release");
  SetEnvironmentVariableA(kHolderVariable, "1");
  std::string command = "\"" + std::string(self) + "\" --gtest_filter=ClipboardHolder.*";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &started));
  SetEnvironmentVariableA(kHolderVariable, nullptr);
  ASSERT_EQ(WaitForSingleObject(held, 20000), WAIT_OBJECT_0);
  EXPECT_EQ(clipboard.Put(0, "not now", std::nullopt).kind, ClipboardWrite::Kind::kBusy);
  SetEvent(release);
  WaitForSingleObject(started.hProcess, 20000);
  CloseHandle(started.hProcess);
  CloseHandle(started.hThread);
  EXPECT_EQ(ClipboardText(), L"plain");
  CloseHandle(held);
  CloseHandle(release);
}

}  // namespace
}  // namespace vfx::platform::win32
