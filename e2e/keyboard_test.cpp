// The main window with the keyboard alone: real key events on the display (xdotool), through the
// real vontrafx.exe, against the substitute host; and the names outside tools read.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <string>

#include "e2e/support/host_process.h"
#include "e2e/support/journey.h"
#include "platform/win32/text.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;

class KeyboardJourney : public Journey {
 protected:
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(addOn().window(), nullptr), &info);
    return info.hwndFocus;
  }
  bool FocusReaches(HWND control) const {
    return WaitUntil([&] { return Focus() == control; }, 5);
  }
  // Tab until the focus is on `control`; false after `most` presses.
  bool TabTo(HWND control, int most) {
    for (int i = 0; i < most && Focus() != control; ++i) {
      const HWND before = Focus();
      Keys("key Tab");
      if (!WaitUntil([&] { return Focus() != before; }, 5)) return false;
    }
    return Focus() == control;
  }
  bool OwnerDrawn(int n) const {
    return (GetWindowLongW(addOn().Control(ids::CommandId(n)), GWL_STYLE) & BS_TYPEMASK) ==
           BS_OWNERDRAW;
  }
};

TEST_F(KeyboardJourney, TypeChooseSetTickSendBreakAndComeBackWithKeysAlone) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND text1 = addOn().Control(ids::kMessageBox);
  ASSERT_TRUE(FocusReaches(text1));
  const std::string line = "keys alone";
  Keys("type --delay 30 \"" + line + "\"");
  ASSERT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox) == line; }, 10))
      << addOn().Text(ids::kMessageBox);

  // Past the command column, the arrows, help and the style boxes to the colour count, which
  // Tab enters at the selected option; an arrow key selects the next one, as a click would.
  ASSERT_EQ(addOn().SelectedColourCount(), 3);
  ASSERT_TRUE(TabTo(addOn().Control(ids::OptionId(3)), 40));
  Keys("key Right");
  ASSERT_TRUE(WaitForCaption("Vontra FX - 4 Colors"));
  EXPECT_EQ(addOn().SelectedColourCount(), 4);
  EXPECT_EQ(Focus(), addOn().Control(ids::OptionId(4)));

  // The next tab stop is colour 1's red bar: End takes it to 255, Left one step back.
  ASSERT_TRUE(TabTo(addOn().Control(ids::HScrollId(3)), 1));
  Keys("key End Left");
  ASSERT_TRUE(WaitUntil([&] { return addOn().Bar(3) == 254; }, 5)) << addOn().Bar(3);

  // Alt+B unticks Bold and hands the caret back to the message box.
  ASSERT_TRUE(addOn().IsTicked(ids::kBold));
  Keys("key alt+b");
  ASSERT_TRUE(WaitUntil([&] { return !addOn().IsTicked(ids::kBold); }, 5));
  ASSERT_TRUE(FocusReaches(text1));

  // Enter sends what the window holds; Clear Text empties the box and the caret stays there.
  const std::string expected = Ansi(MessageFromTheWindow(line));
  Keys("key Return");
  ASSERT_TRUE(WaitForNewChats(1));
  EXPECT_TRUE(SameBytes(NewChats().back().Bytes("text"), expected));
  ASSERT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox).empty(); }, 5));
  EXPECT_EQ(Focus(), text1);

  // Ctrl+Enter breaks the line and sends nothing. One xdotool for the three keys: two started
  // one after the other may run at once.
  Keys("key --delay 40 a ctrl+Return b");
  ASSERT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox) == "a\r\nb"; }, 5))
      << addOn().Text(ids::kMessageBox);
  EXPECT_EQ(NewChats().size(), 1u);

  // Tab leaves the box and Shift+Tab comes back to it, the line intact.
  Keys("key Tab");
  ASSERT_TRUE(WaitUntil([&] { return Focus() != text1; }, 5));
  Keys("key shift+Tab");
  ASSERT_TRUE(FocusReaches(text1));
  EXPECT_EQ(addOn().Text(ids::kMessageBox), "a\r\nb");

  // Every graphical button kept its own face through all of it.
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 13}) EXPECT_TRUE(OwnerDrawn(n)) << "Command" << n;
}

TEST_F(KeyboardJourney, OutsideToolsReadANameForEveryControlThatShowsNoWords) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::pair<int, const char*> buttons[] = {
      {13, "Up"}, {7, "Down"}, {12, "Left"}, {8, "Right"}, {10, "Help"}};
  for (const auto& [n, name] : buttons)
    EXPECT_EQ(ControlTextUtf8(addOn().Control(ids::CommandId(n))), name) << "Command" << n;
  EXPECT_EQ(ControlTextUtf8(addOn().Control(ids::HScrollId(3))), "Colour 1 red");
  EXPECT_EQ(ControlTextUtf8(addOn().Control(ids::HScrollId(1))), "Colour 1 blue");
  EXPECT_EQ(ControlTextUtf8(addOn().Control(ids::HScrollId(30))), "Colour 10 blue");

  // The boxes hold the user's text; their names come through the accessibility interface.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::pair<HWND, const wchar_t*> boxes[] = {
      {addOn().Control(ids::kMessageBox), L"Message"},
      {addOn().Control(ids::kHtmlWriter), L"HTML writer"},
      {addOn().FrameControl(ids::kRecipient), L"Recipient"},
      {addOn().Control(ids::kBold), L"Bold"}};
  for (const auto& [box, name] : boxes) {
    IAccessible* accessible = nullptr;
    ASSERT_EQ(
        AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&accessible)),
        S_OK);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR said = nullptr;
    EXPECT_EQ(accessible->get_accName(self, &said), S_OK);
    EXPECT_STREQ(said ? said : L"", name);
    SysFreeString(said);
    accessible->Release();
  }
  CoUninitialize();
}

}  // namespace
}  // namespace vfx::e2e
