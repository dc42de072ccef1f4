// The small dialogs on the real dialog manager: opened modeless, their controls read and their
// keys posted and run through IsDialogMessage as the dialog's own loop would; then modal, with
// keys posted from a timer that runs while the dialog's loop waits.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/ask_dialogs.h"
// After windows.h.
#include <commctrl.h>

#include <string>

#include "platform/win32/dialogs.h"
#include "platform/win32/event_pump.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// Posts a key to the control with the focus and lets the dialog manager handle it, as the
// dialog's loop does, until the queue is empty.
void Press(HWND dialog, WPARAM key) {
  PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
  PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    if (!IsWindow(dialog) || !IsDialogMessageW(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
}

TEST(AskTextDialogTest, ALabelledLineWhoseOkWaitsForTextAndEnterGivesItAsTyped) {
  AskTextDialog dialog("Save Colours As", "&Name:", "Sunset");
  HWND window = dialog.Open(nullptr);
  ASSERT_NE(window, nullptr);
  HWND prompt = GetDlgItem(window, kAskPromptId), box = GetDlgItem(window, kAskTextId);
  HWND ok = GetDlgItem(window, IDOK);
  EXPECT_EQ(TextOf(window), L"Save Colours As");
  EXPECT_EQ(ClassOf(prompt), L"Static");
  EXPECT_EQ(TextOf(prompt), L"&Name:");
  // The label comes just before the box, which is how a screen reader finds the box's name.
  EXPECT_EQ(GetWindow(prompt, GW_HWNDNEXT), box);
  EXPECT_EQ(ClassOf(box), L"Edit");
  EXPECT_EQ(TextOf(box), L"Sunset");
  EXPECT_EQ(GetFocus(), box);
  const auto selection = static_cast<DWORD>(SendMessageW(box, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), 6);
  EXPECT_EQ(LOWORD(SendMessageW(window, DM_GETDEFID, 0, 0)), IDOK);
  EXPECT_TRUE(IsWindowEnabled(ok));

  SetWindowTextW(box, L" \t\u3000");
  EXPECT_FALSE(IsWindowEnabled(ok));
  Press(window, VK_RETURN);
  EXPECT_EQ(dialog.ended(), 0) << "Enter on a blank name does nothing";

  SetWindowTextW(box, L"Dawn \u00fcn\u00ef = ] ");
  EXPECT_TRUE(IsWindowEnabled(ok));
  Press(window, VK_RETURN);
  EXPECT_EQ(dialog.ended(), IDOK);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog.answer(), "Dawn \u00fcn\u00ef = ] ");

  AskTextDialog cancelled("Save Colours As", "&Name:", "");
  window = cancelled.Open(nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK)));
  Press(window, VK_ESCAPE);
  EXPECT_EQ(cancelled.ended(), IDCANCEL);
  EXPECT_EQ(cancelled.answer(), std::nullopt);
}

TEST(AskYesNoDialogTest, NoIsTheDefaultAndEscapeAnswersNo) {
  const std::wstring question = L"Replace the colours named \u201cSunset & Sea\u201d?";
  AskYesNoDialog dialog("Save Colours As", Narrow(question));
  HWND window = dialog.Open(nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(window, kAskMessageId)), question);
  EXPECT_EQ(LOWORD(SendMessageW(window, DM_GETDEFID, 0, 0)), IDNO);
  EXPECT_EQ(GetFocus(), GetDlgItem(window, IDNO));
  // Sized to its text: the buttons lie below it.
  RECT text, yes;
  GetWindowRect(GetDlgItem(window, kAskMessageId), &text);
  GetWindowRect(GetDlgItem(window, IDYES), &yes);
  EXPECT_GT(yes.top, text.bottom);
  Press(window, VK_ESCAPE);
  EXPECT_EQ(dialog.ended(), IDNO);

  AskYesNoDialog confirmed("Save Colours As", "Replace?");
  window = confirmed.Open(nullptr);
  SendMessageW(GetDlgItem(window, IDYES), BM_CLICK, 0, 0);
  EXPECT_EQ(confirmed.ended(), IDYES);
}

TEST(AskHotKeyDialogTest, TheSystemsHotKeyControlStartsAtTheKeyAndGivesWhatWasPressed) {
  AskHotKeyDialog dialog("Fade Key", "&Key:", HotKey{'F', true, true, false, true});
  HWND window = dialog.Open(nullptr);
  ASSERT_NE(window, nullptr);
  HWND control = GetDlgItem(window, kAskHotKeyId);
  EXPECT_EQ(ClassOf(control), HOTKEY_CLASSW);
  EXPECT_EQ(GetWindow(GetDlgItem(window, kAskPromptId), GW_HWNDNEXT), control);
  EXPECT_EQ(SendMessageW(control, HKM_GETHOTKEY, 0, 0),
            MAKEWORD('F', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
  EXPECT_EQ(IsDlgButtonChecked(window, kAskWindowsId), BST_CHECKED);
  EXPECT_EQ(GetFocus(), control);
  Press(window, VK_RETURN);
  EXPECT_EQ(dialog.ended(), IDOK);
  EXPECT_EQ(dialog.answer(), (HotKey{'F', true, true, false, true}));

  // Nothing set: OK waits for a key, typed into the control. A key alone would take it from
  // every program, so the control adds Ctrl+Alt.
  AskHotKeyDialog empty("Fade Key", "&Key:", HotKey{});
  window = empty.Open(nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK)));
  Press(window, VK_RETURN);
  EXPECT_EQ(empty.ended(), 0);
  Press(window, VK_F9);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDOK)));
  SendMessageW(GetDlgItem(window, kAskWindowsId), BM_CLICK, 0, 0);
  SetFocus(GetDlgItem(window, kAskHotKeyId));
  Press(window, VK_RETURN);
  EXPECT_EQ(empty.ended(), IDOK);
  EXPECT_EQ(empty.answer(), (HotKey{VK_F9, true, false, true, true}));
}

// The modal dialogs, over a window of the test's own. A timer acts while each is up: it runs in
// the dialog's loop, as the add-on's other events do.
class ModalDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                            200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    current = this;
  }
  void TearDown() override {
    current = nullptr;
    DestroyWindow(owner);
  }

  // The dialog up over the owner, or null.
  HWND Dialog() const {
    HWND active = GetActiveWindow();
    return active && GetWindow(active, GW_OWNER) == owner ? active : nullptr;
  }

  static void CALLBACK TypeAndPressEnter(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND dialog = current->Dialog();
    current->ownerWasDisabled = !IsWindowEnabled(current->owner);
    SetWindowTextW(GetDlgItem(dialog, kAskTextId), L"Sunrise");
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
  }
  // Escape, handled by a wait of the add-on's own inside the dialog's loop.
  static void CALLBACK EscapeInANestedWait(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    current->events.ProcessPendingEvents();
    // Should the nested wait have missed it, the dialog ends with a yes, and the test fails.
    HWND dialog = current->Dialog();
    if (dialog && IsWindowVisible(dialog)) {
      HWND yes = GetDlgItem(dialog, IDYES);
      SendMessageW(yes ? yes : GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }
  }

  static ModalDialogTest* current;
  Win32EventPump events;
  Win32Dialogs dialogs{&events};
  HWND owner = nullptr;
  bool ownerWasDisabled = false;
};

ModalDialogTest* ModalDialogTest::current = nullptr;

TEST_F(ModalDialogTest, TheOwnerWaitsWhileOtherEventsRunAndANestedWaitKeepsTheDialogsKeys) {
  const auto handle = reinterpret_cast<WindowHandle>(owner);
  SetTimer(nullptr, 0, 300, TypeAndPressEnter);
  EXPECT_EQ(dialogs.AskText(handle, "Save Colours As", "&Name:", "Sunset"), "Sunrise");
  EXPECT_TRUE(ownerWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));

  SetTimer(nullptr, 0, 300, EscapeInANestedWait);
  EXPECT_FALSE(dialogs.AskYesNo(handle, "Save Colours As", "Replace?"));
  SetTimer(nullptr, 0, 300, EscapeInANestedWait);
  EXPECT_EQ(dialogs.AskHotKey(handle, "Fade Key", "&Key:", HotKey{'F', true, false, false, false}),
            std::nullopt);

  // Once the program is ending, nothing is asked.
  events.MarkEnding();
  EXPECT_EQ(dialogs.AskText(handle, "Save Colours As", "&Name:", "Sunset"), std::nullopt);
}

}  // namespace
}  // namespace vfx::platform::win32
