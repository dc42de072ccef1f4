// The main window on real Win32 controls under the real dialog manager: sizes, topmost, keyboard.
#include "ui/main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/backend.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/desktop.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/event_pump.h"
#include "platform/win32/handles.h"
#include "platform/win32/settings_file.h"
#include "platform/win32/text.h"
#include "ui/control_ids.h"

namespace vfx::ui {
namespace {

using platform::win32::Win32Backend;
using platform::win32::Win32Desktop;
using platform::win32::Win32Dialogs;
using platform::win32::Win32EventPump;
using platform::win32::Win32Fonts;

class MainWindowWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    made = std::make_unique<ZiruZezuzo>(
        ZiruZezuzo::Services{{desktop, events}, dialogs, fonts, settingsFile, clipboard});
    made->form().realize(backend);
    made->Form_Load();
    made->form().show();
    hwnd = reinterpret_cast<HWND>(made->form().native_handle());
    ASSERT_NE(hwnd, nullptr);
    SetForegroundWindow(hwnd);
    Pump(0.2);
  }
  void TearDown() override {
    made->form().unload();
    Pump(0.05);
  }

  ZiruZezuzo& window() { return *made; }
  HWND Handle(toolkit::Control& control) { return reinterpret_cast<HWND>(control.native_handle()); }
  // Handles events for `seconds`, or until `done` holds.
  void Pump(double seconds, const std::function<bool()>& done = nullptr) {
    const double deadline = events.Now() + seconds;
    for (;;) {
      events.ProcessPendingEvents();
      if ((done && done()) || events.Now() >= deadline) return;
      events.WaitForEvents(std::min(deadline, events.Now() + 0.01));
    }
  }
  bool IsTopmost() { return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  SIZE OuterPixels() {
    RECT outer;
    GetWindowRect(hwnd, &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
  }
  double PixelTwips() { return 1440.0 / GetDeviceCaps(platform::win32::WindowDc(), LOGPIXELSX); }
  void Click(toolkit::Control& control) {
    SendMessageW(Handle(control), BM_CLICK, 0, 0);
    Pump(0.02);
  }
  static void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
  }
  static void Press(WORD key) {
    Key(key, false);
    Key(key, true);
  }
  std::string Text1() {
    wchar_t buffer[256] = {};
    GetWindowTextW(Handle(window().Text(ids::kMessageBox)), buffer, 256);
    return platform::win32::Narrow(buffer);
  }

  Win32EventPump events;
  Win32Desktop desktop;
  Win32Dialogs dialogs;
  Win32Fonts fonts;
  platform::win32::Win32SettingsFile settingsFile{std::wstring()};
  platform::win32::Win32Clipboard clipboard;
  Win32Backend backend{events, {}};
  std::unique_ptr<ZiruZezuzo> made;
  HWND hwnd = nullptr;
};

TEST_F(MainWindowWin32Test, AFixedToolWindowWhoseClientAreaIsTheDesignedOne) {
  RECT client;
  GetClientRect(hwnd, &client);
  const double twips = PixelTwips();
  EXPECT_NEAR(client.right * twips, 8040, twips / 2 + 0.01);
  EXPECT_NEAR(client.bottom * twips, 2004, twips / 2 + 0.01);

  const LONG style = GetWindowLongW(hwnd, GWL_STYLE), exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(style & WS_CAPTION);

  // The outer size is the client area plus what the tool-window metrics add.
  RECT expected = client;
  AdjustWindowRectEx(&expected, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle));
  const SIZE outer = OuterPixels();
  EXPECT_EQ(outer.cx, expected.right - expected.left);
  EXPECT_EQ(outer.cy, expected.bottom - expected.top);
  EXPECT_NEAR(window().form().width(), outer.cx * twips, twips / 2 + 0.01);
  EXPECT_NEAR(window().form().height(), outer.cy * twips, twips / 2 + 0.01);
  EXPECT_EQ(platform::win32::Narrow([&] {
              wchar_t caption[64] = {};
              GetWindowTextW(hwnd, caption, 64);
              return std::wstring(caption);
            }()),
            "Vontra FX - 3 Colors");
}

TEST_F(MainWindowWin32Test, ControlsAreFoundByTheirIdsAndText1IsFirstInTabOrder) {
  wchar_t caption[64] = {};
  GetWindowTextW(GetDlgItem(hwnd, ids::kSend.id()), caption, 64);
  EXPECT_STREQ(caption, L"Send to Chat");
  HWND frame = GetDlgItem(hwnd, ids::kFrame1);
  GetWindowTextW(GetDlgItem(frame, ids::kRecipient.id()), caption, 64);
  EXPECT_STREQ(caption, L"To Whom?");
  EXPECT_EQ(FindWindowA(ids::kMainWindowClass, nullptr), hwnd);
  EXPECT_EQ(GetNextDlgTabItem(hwnd, nullptr, FALSE), Handle(window().Text(ids::kMessageBox)));
  EXPECT_EQ(GetFocus(), Handle(window().Text(ids::kMessageBox)));
}

TEST_F(MainWindowWin32Test, TopmostFollowsOnTopAndANativeClickUpdatesTheModelFirst) {
  EXPECT_TRUE(IsTopmost());
  window().Check(ids::kOnTop).set_value(0);
  EXPECT_FALSE(IsTopmost());
  Click(window().Check(ids::kOnTop));
  EXPECT_EQ(window().Check(ids::kOnTop).value(), 1);
  EXPECT_EQ(SendMessageW(Handle(window().Check(ids::kOnTop)), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(IsTopmost());

  SendMessageW(hwnd, WM_HSCROLL, SB_LINERIGHT,
               reinterpret_cast<LPARAM>(Handle(window().HScroll(3))));
  EXPECT_EQ(window().HScroll(3).value(), 1);
  EXPECT_EQ(window().Label(1).caption(), "1");
}

TEST_F(MainWindowWin32Test, AfterRandomizeTheRealControlsShowWhatTheModelHolds) {
  window().Command(ids::kRandomize).set_focus();
  Click(window().Command(ids::kRandomize));
  Pump(0.1);
  for (int n = 1; n <= 30; ++n) {
    HWND bar = Handle(window().HScroll(n));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), window().HScroll(n).value()) << n;
    wchar_t text[16] = {};
    GetWindowTextW(Handle(window().Label(n)), text, 16);
    EXPECT_EQ(platform::win32::Narrow(text), window().Label(n).caption()) << n;
  }
  EXPECT_EQ(GetFocus(), Handle(window().Command(ids::kRandomize)));
}

bool sawBox, topmostDuringBox;
HWND mainWindow;

// Runs inside the box's own message loop: looks, then presses OK.
void CALLBACK LookAtTheBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Vontra FX");
  if (!box || sawBox) return;
  sawBox = true;
  topmostDuringBox = (GetWindowLongW(mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(MainWindowWin32Test, TheWindowLeavesTheTopBandWhileTheRealMessageBoxIsUp) {
  sawBox = false;
  topmostDuringBox = true;
  mainWindow = hwnd;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, LookAtTheBox);
  window().Command(ids::kHelp).click();
  KillTimer(nullptr, timer);
  EXPECT_TRUE(sawBox);
  EXPECT_FALSE(topmostDuringBox);
  EXPECT_TRUE(IsTopmost());
  EXPECT_EQ(window().Check(ids::kOnTop).value(), 1);
}

TEST_F(MainWindowWin32Test, ResizingWithPixelRoundingLandsInTheStateTable) {
  const double twips = PixelTwips();
  auto w = [&] { return OuterPixels().cx * twips; };
  auto h = [&] { return OuterPixels().cy * twips; };
  auto enabled = [&](int n) { return IsWindowEnabled(Handle(window().Command(n))) != FALSE; };

  Click(window().Command(ids::kDown));  // Down: Tall
  EXPECT_GT(h(), 3400);
  EXPECT_LE(h(), 3550 + twips);
  EXPECT_TRUE(enabled(13));
  EXPECT_FALSE(enabled(7));
  Click(window().Command(ids::kRight));  // Right: Tall and wide
  EXPECT_GT(w(), 10000);
  EXPECT_LE(w(), 10550 + twips);
  // Opened where the grown window still fits on the screen.
  RECT work, placed;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(hwnd, &placed);
  EXPECT_TRUE(placed.left >= work.left && placed.top >= work.top && placed.right <= work.right &&
              placed.bottom <= work.bottom);
  Click(window().Command(ids::kUp));  // Up: Wide
  EXPECT_LT(h(), 3400);
  EXPECT_GE(h(), 2290 - twips);
  EXPECT_LT(h(), 2315 + twips);
  Click(window().Command(ids::kLeft));  // Left: Basic
  EXPECT_GT(w(), 3000);
  EXPECT_LT(w(), 10000);
  EXPECT_GE(w(), 8025 - twips);
  EXPECT_LT(w(), 8050 + twips);
  EXPECT_TRUE(enabled(7) && enabled(8) && !enabled(12) && !enabled(13));

  // The command column stays in view after Up and Left.
  RECT client, exit;
  GetClientRect(hwnd, &client);
  GetWindowRect(Handle(window().Command(ids::kExit)), &exit);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&exit), 2);
  EXPECT_LE(exit.bottom, client.bottom);
  EXPECT_LE(exit.right, client.right);

  PostMessageW(Handle(window().Text(ids::kMessageBox)), WM_LBUTTONDBLCLK, MK_LBUTTON,
               MAKELPARAM(5, 5));
  Pump(0.5, [&] { return w() <= 3000; });
  EXPECT_LT(w(), 2900 + twips);
  EXPECT_LT(h(), 1200 + twips);
  RECT text;
  GetWindowRect(Handle(window().Text(ids::kMessageBox)), &text);
  GetClientRect(hwnd, &client);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&text), 2);
  EXPECT_LE(text.right, client.right);  // the typing strip still shows the whole box
  EXPECT_LE(text.bottom, client.bottom);
}

TEST_F(MainWindowWin32Test, EnterPressesSendAndCtrlEnterBreaksTheLine) {
  int sends = 0;
  window().Command(ids::kSend).on_click = [&] { ++sends; };
  SetFocus(Handle(window().Text(ids::kMessageBox)));
  Press('A');
  Press('B');
  Press(VK_RETURN);
  Pump(1.0, [&] { return sends > 0; });
  EXPECT_EQ(sends, 1);
  EXPECT_EQ(Text1(), "ab");

  Key(VK_CONTROL, false);
  Press(VK_RETURN);
  Key(VK_CONTROL, true);
  Press('C');
  Pump(1.0, [&] { return Text1().size() >= 5; });
  EXPECT_EQ(Text1(), "ab\r\nc");
  EXPECT_EQ(window().Text(ids::kMessageBox).text(), "ab\r\nc");  // the model follows the edit
  EXPECT_EQ(sends, 1);
}

TEST_F(MainWindowWin32Test, TextSetFromOutsideReachesTheModelAndTheModelsTextTheBox) {
  // What another program sets with WM_SETTEXT (in its own code page) is what Send composes.
  SendMessageA(Handle(window().Text(ids::kMessageBox)), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>("caf\xE9 from elsewhere"));
  EXPECT_EQ(window().Text(ids::kMessageBox).text(), "caf\u00E9 from elsewhere");
  window().Text(ids::kMessageBox).set_text("\u00FCber");
  EXPECT_EQ(Text1(), "\u00FCber");
  EXPECT_EQ(window().Text(ids::kMessageBox).text(), "\u00FCber");
  SendMessageW(Handle(window().Text(ids::kMessageBox)), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L""));
  EXPECT_EQ(window().Text(ids::kMessageBox).text(), "");
}

TEST_F(MainWindowWin32Test, AltBTogglesBoldAndLeavesTheCaretInText1) {
  SetFocus(Handle(window().Text(ids::kMessageBox)));
  ASSERT_EQ(window().Check(ids::kBold).value(), 1);
  Key(VK_MENU, false);
  Press('B');
  Key(VK_MENU, true);
  Pump(1.0, [&] { return window().Check(ids::kBold).value() == 0; });
  EXPECT_EQ(window().Check(ids::kBold).value(), 0);
  EXPECT_EQ(SendMessageW(Handle(window().Check(ids::kBold)), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(GetFocus(), Handle(window().Text(ids::kMessageBox)));
  EXPECT_TRUE(window().Text(ids::kMessageBox).has_focus());
  Press('X');
  Pump(0.5, [&] { return !Text1().empty(); });
  EXPECT_EQ(Text1(), "x");
}

TEST_F(MainWindowWin32Test, CtrlTabLeavesTheBoxEscapeEndsNothingAndButtonsKeepTheirFaces) {
  HWND text1 = Handle(window().Text(ids::kMessageBox));
  SetFocus(text1);
  Key(VK_CONTROL, false);
  Press(VK_TAB);
  Key(VK_CONTROL, true);
  Pump(0.5, [&] { return GetFocus() != text1; });
  EXPECT_NE(GetFocus(), text1);

  // The restyling with which the dialog manager moves the default frame leaves them drawn by
  // the window, and Escape in the box ends nothing.
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 13}) {
    HWND button = Handle(window().Command(n));
    SendMessageW(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << "Command" << n;
  }
  SetFocus(text1);
  Press(VK_ESCAPE);
  Pump(0.3);
  EXPECT_TRUE(window().form().is_loaded());
}

TEST_F(MainWindowWin32Test, AnArrowKeyInTheColourCountSelectsTheNextOptionOnce) {
  int runs = 0;
  for (int n = 1; n <= 10; ++n) {
    auto handler = window().Option(n).on_click;
    window().Option(n).on_click = [&runs, handler] {
      ++runs;
      handler();
    };
  }
  auto tabStop = [&](int n) {
    return (GetWindowLongW(Handle(window().Option(n)), GWL_STYLE) & WS_TABSTOP) != 0;
  };
  ASSERT_TRUE(window().Option(3).value());
  EXPECT_TRUE(tabStop(3) && !tabStop(4));
  SetFocus(Handle(window().Option(3)));
  Press(VK_RIGHT);
  Pump(0.5, [&] { return window().Option(4).value(); });
  EXPECT_TRUE(window().Option(4).value());
  EXPECT_EQ(GetFocus(), Handle(window().Option(4)));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(window().form().caption(), "Vontra FX - 4 Colors");
  EXPECT_TRUE(tabStop(4) && !tabStop(3));

  // A click selects once too, though the button takes the focus on the way.
  Click(window().Option(7));
  EXPECT_TRUE(window().Option(7).value());
  EXPECT_EQ(runs, 2);
}

TEST_F(MainWindowWin32Test, ClosingTheWindowUnloadsItAndEndsTheWaits) {
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(window().form().is_loaded());
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(events.IsEnding());
}

}  // namespace
}  // namespace vfx::ui
