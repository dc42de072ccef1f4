// The Win32 desktop seam against real windows that the test creates in its own process.
#include "platform/win32/desktop.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "host/host.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return 42;
  return DefWindowProcA(window, message, wParam, lParam);
}

class Win32DesktopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA frame{};
    frame.lpfnWndProc = RecordingProc;
    frame.hInstance = GetModuleHandleA(nullptr);
    frame.lpszClassName = "VfxTest Frame25";
    RegisterClassA(&frame);
    WNDCLASSA child = frame;
    child.lpszClassName = "VfxTestChild";
    RegisterClassA(&child);
  }
  void SetUp() override {
    frame = CreateWindowExA(0, "VfxTest Frame25", "Test  Frame", WS_OVERLAPPEDWINDOW, 100, 120, 400,
                            300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame, nullptr);
  }
  void TearDown() override { DestroyWindow(frame); }
  HWND AddChild(const char* className, const char* caption) {
    return CreateWindowExA(0, className, caption, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  }

  Win32Desktop desktop;
  HWND frame = nullptr;
};

TEST_F(Win32DesktopTest, FindsTopLevelWindowsByClassAndCaptionIgnoringCase) {
  EXPECT_EQ(desktop.FindWindowA("VfxTest Frame25", std::nullopt), Handle(frame));
  EXPECT_EQ(desktop.FindWindowA("vfxtest frame25", "TEST  FRAME"), Handle(frame));
  EXPECT_EQ(desktop.FindWindowA("VfxTest Frame25", "Test Frame"), 0u);
  EXPECT_EQ(desktop.FindWindowA(std::nullopt, "Test  Frame"), Handle(frame));
}

TEST_F(Win32DesktopTest, WalksChildrenInZOrderAndReadsClassesAndCaptions) {
  const HWND first = AddChild("VfxTestChild", "first");
  const HWND second = AddChild("Button", "second");
  EXPECT_EQ(desktop.GetWindow(Handle(frame), Relation::kFirstChild), Handle(first));
  EXPECT_EQ(desktop.GetWindow(Handle(first), Relation::kNextSibling), Handle(second));
  EXPECT_EQ(desktop.GetWindow(Handle(second), Relation::kNextSibling), 0u);
  EXPECT_EQ(host::GetWindowClass(desktop, Handle(second)), "Button");
  EXPECT_EQ(desktop.GetClassNameA(Handle(first), 5), "VfxT");
  EXPECT_EQ(host::GetWindowCaption(desktop, Handle(first)), "first");
  EXPECT_EQ(host::FindChildByClass(desktop, Handle(frame), "BUTTON"), Handle(second));
  EXPECT_EQ(host::FindChildByTitle(desktop, Handle(frame), "SEC"), Handle(second));
}

TEST_F(Win32DesktopTest, CaptionsCrossInTheCodePage) {
  const std::string announcement =
      "\xC2\xAB(v^v\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2"
      "Vontra \xC6\x92X \xC3\x9F"
      "y \xC2\xA3\xC3\xB8";
  SetWindowTextA(frame, ToAnsi(announcement)->c_str());
  char raw[64] = {};
  GetWindowTextA(frame, raw, sizeof raw);
  EXPECT_EQ(std::string(raw), "\xAB(v^v\x95\x95\x95Vontra \x83X \xDFy \xA3\xF8");  // code page 1252
  EXPECT_EQ(host::GetWindowCaption(desktop, Handle(frame)), announcement);
  EXPECT_EQ(desktop.GetWindowTextLengthA(Handle(frame)), 23);
}

TEST(Win32Text, ACharacterTheCodePageLacksBecomesOneQuestionMark) {
  EXPECT_EQ(ToAnsi("a\xE4\xB8\xAD"
                   "b\xF0\x9F\x98\x80"
                   "c"),
            "a?b?c");
  EXPECT_EQ(ToAnsi("x\x80y"), "x?y");  // a malformed byte is one character too
  EXPECT_EQ(ToAnsi(""), "");
  EXPECT_EQ(FromAnsi("\xDF"), "\xC3\x9F");
  EXPECT_EQ(Narrow(Widen("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
}

TEST(Win32Text, EachCodePageGetsOnlyTheFlagsItsConversionAccepts) {
  // WideCharToMultiByte: UTF-8 takes no flag but WC_ERR_INVALID_CHARS, and no default character.
  EXPECT_EQ(RulesFor(65001).flags, 0u);
  EXPECT_FALSE(RulesFor(65001).defaultCharacter);
  for (unsigned codePage : {1252u, 932u}) {
    EXPECT_EQ(RulesFor(codePage).flags, static_cast<unsigned long>(WC_NO_BEST_FIT_CHARS));
    EXPECT_TRUE(RulesFor(codePage).defaultCharacter);
  }
  EXPECT_EQ(RulesFor(50220).flags, 0u);  // ISO-2022-JP: no flag at all
  // What the rules allow converts there.
  const wchar_t kOther[] = L"a\x4E2D";
  for (unsigned codePage : {65001u, 1252u, 932u}) {
    const CodePageRules rules = RulesFor(codePage);
    EXPECT_GT(WideCharToMultiByte(codePage, rules.flags, kOther, 2, nullptr, 0,
                                  rules.defaultCharacter ? "?" : nullptr, nullptr),
              0)
        << codePage;
  }
}

TEST_F(Win32DesktopTest, TheUsersOwnTextIsReadAndGivenBackCharacterForCharacter) {
  const HWND edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, frame,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
  // Characters no single-byte code page holds together: Greek, Chinese, an emoji.
  const std::string words = "\xCE\xB1\xCE\xB2 \xE4\xB8\xAD \xF0\x9F\x98\x80!";
  ASSERT_TRUE(desktop.SetControlText(Handle(edit), words));
  wchar_t raw[16] = {};
  GetWindowTextW(edit, raw, 16);
  EXPECT_EQ(std::wstring(raw), L"\x3B1\x3B2 \x4E2D \xD83D\xDE00!");
  EXPECT_EQ(desktop.GetControlText(Handle(edit), 100), words);
  EXPECT_EQ(desktop.GetControlText(Handle(edit), 2), "\xCE\xB1\xCE\xB2");
  EXPECT_TRUE(desktop.IsWindow(Handle(edit)));
  DestroyWindow(edit);
  EXPECT_FALSE(desktop.IsWindow(Handle(edit)));
  EXPECT_FALSE(desktop.GetControlText(Handle(edit), 100));
}

TEST_F(Win32DesktopTest, SendsBothMessageFormsAndWindowZeroIsNothing) {
  EXPECT_EQ(desktop.SendMessageA(Handle(frame), WM_USER, 0, std::intptr_t{0}), 42);
  const HWND edit = AddChild("Edit", "");
  EXPECT_TRUE(desktop.SendMessageA(Handle(edit), WM_SETTEXT, 0, std::string_view("\xC3\x9F!")));
  char raw[8] = {};
  GetWindowTextA(edit, raw, sizeof raw);
  EXPECT_EQ(std::string(raw), "\xDF!");
  EXPECT_FALSE(desktop.SendMessageA(0, WM_USER, 0, std::intptr_t{0}));
  DestroyWindow(edit);
  EXPECT_FALSE(desktop.SendMessageA(Handle(edit), WM_USER, 0, std::intptr_t{0}));
}

TEST_F(Win32DesktopTest, TopmostComesAndGoesWithPositionAndSizeKept) {
  ShowWindow(frame, SW_SHOWNOACTIVATE);
  RECT before{};
  GetWindowRect(frame, &before);
  host::StayOnTop(desktop, Handle(frame));
  EXPECT_TRUE(GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
  host::StayOnTop(desktop, Handle(frame));
  EXPECT_TRUE(GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
  host::NotOnTop(desktop, Handle(frame));
  EXPECT_FALSE(GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT after{};
  GetWindowRect(frame, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(Win32DesktopTest, PlayingAMissingSoundFileReturnsAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  host::PlaySoundFile(desktop, "no-such-sound-file.wav");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace vfx::platform::win32
