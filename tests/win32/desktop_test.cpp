// The Win32 desktop seam against real windows that the test creates in its own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

#include "host/host.h"
#include "platform/win32/desktop.h"
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
    frame_ = CreateWindowExA(0, "VfxTest Frame25", "Test  Frame", WS_OVERLAPPEDWINDOW, 100, 120,
                             400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame_, nullptr);
  }
  void TearDown() override { DestroyWindow(frame_); }
  HWND AddChild(const char* className, const char* caption) {
    return CreateWindowExA(0, className, caption, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame_,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  }

  Win32Desktop desktop_;
  HWND frame_ = nullptr;
};

TEST_F(Win32DesktopTest, FindsTopLevelWindowsByClassAndCaptionIgnoringCase) {
  EXPECT_EQ(desktop_.FindWindowA("VfxTest Frame25", std::nullopt), Handle(frame_));
  EXPECT_EQ(desktop_.FindWindowA("vfxtest frame25", "TEST  FRAME"), Handle(frame_));
  EXPECT_EQ(desktop_.FindWindowA("VfxTest Frame25", "Test Frame"), 0u);
  EXPECT_EQ(desktop_.FindWindowA(std::nullopt, "Test  Frame"), Handle(frame_));
}

TEST_F(Win32DesktopTest, WalksChildrenInZOrderAndReadsClassesAndCaptions) {
  const HWND first = AddChild("VfxTestChild", "first");
  const HWND second = AddChild("Button", "second");
  EXPECT_EQ(desktop_.GetWindow(Handle(frame_), Relation::kFirstChild), Handle(first));
  EXPECT_EQ(desktop_.GetWindow(Handle(first), Relation::kNextSibling), Handle(second));
  EXPECT_EQ(desktop_.GetWindow(Handle(second), Relation::kNextSibling), 0u);
  EXPECT_EQ(host::GetWindowClass(desktop_, Handle(second)), "Button");
  EXPECT_EQ(desktop_.GetClassNameA(Handle(first), 5), "VfxT");
  EXPECT_EQ(host::GetWindowCaption(desktop_, Handle(first)), "first");
  EXPECT_EQ(host::FindChildByClass(desktop_, Handle(frame_), "BUTTON"), Handle(second));
  EXPECT_EQ(host::FindChildByTitle(desktop_, Handle(frame_), "SEC"), Handle(second));
}

TEST_F(Win32DesktopTest, CaptionsCrossInTheCodePage) {
  const std::string announcement = "\xC2\xAB(v^v\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2" "Vontra \xC6\x92X \xC3\x9F" "y \xC2\xA3\xC3\xB8";
  SetWindowTextA(frame_, ToAnsi(announcement).c_str());
  char raw[64] = {};
  GetWindowTextA(frame_, raw, sizeof raw);
  EXPECT_EQ(std::string(raw), "\xAB(v^v\x95\x95\x95Vontra \x83X \xDFy \xA3\xF8");  // code page 1252
  EXPECT_EQ(host::GetWindowCaption(desktop_, Handle(frame_)), announcement);
  EXPECT_EQ(desktop_.GetWindowTextLengthA(Handle(frame_)), 23);
}

TEST(Win32Text, ACharacterTheCodePageLacksBecomesOneQuestionMark) {
  EXPECT_EQ(ToAnsi("a\xE4\xB8\xAD" "b\xF0\x9F\x98\x80" "c"), "a?b?c");
  EXPECT_EQ(ToAnsi("x\x80y"), "x?y");  // a malformed byte is one character too
  EXPECT_EQ(ToAnsi(""), "");
  EXPECT_EQ(FromAnsi("\xDF"), "\xC3\x9F");
  EXPECT_EQ(Narrow(Widen("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
}

TEST_F(Win32DesktopTest, SendsBothMessageFormsAndWindowZeroIsNothing) {
  EXPECT_EQ(desktop_.SendMessageA(Handle(frame_), WM_USER, 0, std::intptr_t{0}), 42);
  const HWND edit = AddChild("Edit", "");
  EXPECT_TRUE(desktop_.SendMessageA(Handle(edit), WM_SETTEXT, 0, std::string_view("\xC3\x9F!")));
  char raw[8] = {};
  GetWindowTextA(edit, raw, sizeof raw);
  EXPECT_EQ(std::string(raw), "\xDF!");
  EXPECT_FALSE(desktop_.SendMessageA(0, WM_USER, 0, std::intptr_t{0}));
  DestroyWindow(edit);
  EXPECT_FALSE(desktop_.SendMessageA(Handle(edit), WM_USER, 0, std::intptr_t{0}));
}

TEST_F(Win32DesktopTest, TopmostComesAndGoesWithPositionAndSizeKept) {
  ShowWindow(frame_, SW_SHOWNOACTIVATE);
  RECT before{};
  GetWindowRect(frame_, &before);
  host::StayOnTop(desktop_, Handle(frame_));
  EXPECT_TRUE(GetWindowLongA(frame_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  host::StayOnTop(desktop_, Handle(frame_));
  EXPECT_TRUE(GetWindowLongA(frame_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  host::NotOnTop(desktop_, Handle(frame_));
  EXPECT_FALSE(GetWindowLongA(frame_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT after{};
  GetWindowRect(frame_, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(Win32DesktopTest, PlayingAMissingSoundFileReturnsAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  host::PlaySoundFile(desktop_, "no-such-sound-file.wav");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace vfx::platform::win32
