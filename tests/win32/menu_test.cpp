// Menus on the real window system: the HMENU made from the model, the same builder's items in the
// window's system menu, the way a right-click finds its control's handler, and a menu tracked
// with keys posted into its loop.
#include "toolkit/menu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/backend.h"
#include "platform/win32/event_pump.h"
#include "platform/win32/menu_peer.h"
#include "toolkit/action.h"
#include "toolkit/check_box.h"
#include "toolkit/form.h"
#include "toolkit/frame.h"
#include "toolkit/h_scroll_bar.h"
#include "toolkit/label.h"
#include "toolkit/text_box.h"

namespace vfx::platform::win32 {
namespace {

using toolkit::Action;
using toolkit::Menu;
using toolkit::MenuPlace;

struct ReadItem {
  std::wstring caption;
  UINT type = 0, state = 0, id = 0;
  HMENU submenu = nullptr;
};

ReadItem Read(HMENU menu, UINT position) {
  wchar_t caption[64] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  info.dwTypeData = caption;
  info.cch = 64;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
  return {caption, info.fType, info.fState, info.wID, info.hSubMenu};
}

TEST(MenuBuildTest, TheMenuHasTheModelsItemsTicksRadioMarksAndGreyStates) {
  Menu menu;
  menu.add_item("&Undo").set_enabled(false);
  menu.add_separator();
  menu.add_check_item("Preview Colours", true);
  menu.add_radio_item("&Straight", false);
  menu.add_radio_item("&Even Blend", true);
  toolkit::MenuItem& presets = menu.add_submenu("&Presets \u00e9t\u00e9");
  presets.submenu()->add_item("&Sunrise");
  presets.submenu()->add_item("(saved colours unreadable)").set_enabled(false);

  const BuiltMenu built = BuildMenu(menu);
  ASSERT_TRUE(built.menu);
  HMENU handle = built.menu.get();
  ASSERT_EQ(GetMenuItemCount(handle), 6);

  const ReadItem undo = Read(handle, 0);
  EXPECT_EQ(undo.caption, L"&Undo");
  EXPECT_EQ(undo.type & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_RADIOCHECK), 0u);
  EXPECT_TRUE(undo.state & MFS_GRAYED);
  EXPECT_TRUE(Read(handle, 1).type & MFT_SEPARATOR);
  const ReadItem preview = Read(handle, 2);
  EXPECT_TRUE(preview.state & MFS_CHECKED);
  EXPECT_FALSE(preview.type & MFT_RADIOCHECK);
  EXPECT_FALSE(preview.state & MFS_GRAYED);
  const ReadItem straight = Read(handle, 3), even = Read(handle, 4);
  EXPECT_TRUE(straight.type & MFT_RADIOCHECK);
  EXPECT_FALSE(straight.state & MFS_CHECKED);
  EXPECT_TRUE(even.type & MFT_RADIOCHECK);
  EXPECT_TRUE(even.state & MFS_CHECKED);

  const ReadItem sub = Read(handle, 5);
  EXPECT_EQ(sub.caption, L"&Presets \u00e9t\u00e9");
  ASSERT_NE(sub.submenu, nullptr);
  ASSERT_EQ(GetMenuItemCount(sub.submenu), 2);
  const ReadItem sunrise = Read(sub.submenu, 0);
  EXPECT_EQ(sunrise.caption, L"&Sunrise");
  EXPECT_TRUE(Read(sub.submenu, 1).state & MFS_GRAYED);

  // Every command names its own item; no command is 0, which TrackPopupMenuEx returns for none.
  EXPECT_EQ(built.ItemFor(undo.id), menu.items()[0].get());
  EXPECT_EQ(built.ItemFor(sunrise.id), presets.submenu()->items()[0].get());
  EXPECT_EQ(built.ItemFor(0), nullptr);
  EXPECT_EQ(built.ItemFor(1000), nullptr);
}

class ContextMenuWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    form.set_client_size(6000, 3000);
    bar.set_bounds({120, 120, 1092, 132});
    bar.set_range(0, 255);
    bar.set_enabled(false);
    label.set_bounds({120, 600, 1200, 252});
    label.set_caption("Red");
    frame.set_bounds({2000, 600, 3000, 1500});
    check.set_bounds({120, 300, 1500, 252});
    check.set_caption("&Bold");
    check.set_enabled(false);
    form.realize(backend);
    form.show();
    window = reinterpret_cast<HWND>(form.native_handle());
    ASSERT_NE(window, nullptr);
    for (toolkit::Control* control : std::vector<toolkit::Control*>{&bar, &label, &frame, &check})
      control->on_context_menu = [this, control](const MenuPlace& where) {
        heard.push_back(control->name());
        places.push_back(where);
      };
    form.on_context_menu = [this](const MenuPlace&) { heard.push_back("Form"); };
    events.ProcessPendingEvents();
  }
  void TearDown() override { form.unload(); }

  // The screen point in the middle of a control.
  static LPARAM Middle(const toolkit::Control& control) {
    RECT place;
    GetWindowRect(reinterpret_cast<HWND>(control.native_handle()), &place);
    return MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
  }
  // What the window system sends when the right button goes up over a control that takes no
  // mouse input itself: the message to the parent, naming the parent.
  void RightClickThrough(HWND parent, LPARAM at) {
    SendMessageW(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(parent), at);
  }

  Win32EventPump events;
  Win32Backend backend{events, {}};
  toolkit::Form form{"MenuTest"};
  toolkit::HScrollBar& bar = form.add<toolkit::HScrollBar>("HScroll1", 11);
  toolkit::Label& label = form.add<toolkit::Label>("Label1", 12);
  toolkit::Frame& frame = form.add<toolkit::Frame>("Frame1", 13);
  toolkit::CheckBox& check = frame.add<toolkit::CheckBox>("Check1", 14);
  HWND window = nullptr;
  std::vector<std::string> heard;
  std::vector<MenuPlace> places;
};

TEST_F(ContextMenuWin32Test, ARightClickOverADisabledOrTransparentControlReachesItsHandler) {
  RightClickThrough(window, Middle(bar));
  RightClickThrough(window, Middle(label));
  // Inside the frame, over its disabled check box: the form finds it through the frame.
  RightClickThrough(window, Middle(check));
  RightClickThrough(reinterpret_cast<HWND>(frame.native_handle()), Middle(check));
  // The frame's own background, then the form's.
  RECT frameArea;
  GetWindowRect(reinterpret_cast<HWND>(frame.native_handle()), &frameArea);
  RightClickThrough(window, MAKELPARAM(frameArea.right - 3, frameArea.bottom - 3));
  POINT background{3, 3};
  ClientToScreen(window, &background);
  RightClickThrough(window, MAKELPARAM(background.x, background.y));
  EXPECT_EQ(heard,
            (std::vector<std::string>{"HScroll1", "Label1", "Check1", "Check1", "Frame1", "Form"}));
  ASSERT_FALSE(places.empty());
  ASSERT_FALSE(places[0].from_keyboard());
  EXPECT_EQ(places[0].point->x, static_cast<short>(LOWORD(Middle(bar))));

  // A hidden control has no menu: its place is the form's. From the keyboard, a control without
  // a handler of its own passes the request to the form.
  heard.clear();
  bar.set_visible(false);
  RightClickThrough(window, Middle(bar));
  label.on_context_menu = nullptr;
  HWND labelWindow = reinterpret_cast<HWND>(label.native_handle());
  SendMessageW(labelWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(labelWindow), -1);
  EXPECT_EQ(heard, (std::vector<std::string>{"Form", "Form"}));
}

// While a menu is open, the timers below act in its loop; `tracked` is what they saw.
std::vector<std::string>* tracked = nullptr;

void CALLBACK ChooseSecond(HWND owner, UINT, UINT_PTR id, DWORD) {
  KillTimer(owner, id);
  tracked->push_back("open");
  PostMessageW(owner, WM_CHAR, 's', 0);
}

void CALLBACK CloseMenu(HWND owner, UINT, UINT_PTR id, DWORD) {
  KillTimer(owner, id);
  tracked->push_back("open");
  EndMenu();
}

// A key posted into the menu's own loop: the choice comes back, and the handler runs only after
// the loop has ended. An EndMenu cancels, and nothing runs.
TEST_F(ContextMenuWin32Test, ATrackedMenuRunsTheChosenHandlerAfterItClosedAndNothingOnCancel) {
  std::vector<std::string> ran;
  tracked = &ran;
  Menu menu;
  menu.add_item("&First", [&] { ran.push_back("first"); });
  menu.add_item("&Second", [&] { ran.push_back("second"); });

  SetTimer(window, 1, 200, ChooseSecond);
  form.popup_menu(menu, MenuPlace::At(100, 100));
  SetTimer(window, 2, 200, CloseMenu);
  form.popup_menu(menu, MenuPlace::Keyboard());
  tracked = nullptr;
  EXPECT_EQ(ran, (std::vector<std::string>{"open", "second", "open"}));
}

// The form's actions in its window's system menu, after a separator, built afresh each time it
// opens; commands the system takes (multiples of 16 below its own 0xF000) come back as
// WM_SYSCOMMAND with the system's low bits set, and run the action.
TEST_F(ContextMenuWin32Test, TheSystemMenuShowsTheFormsActionsAndRunsTheChosenOne) {
  std::vector<std::string> ran;
  Action fade(form, Action::Kind::kCheck, "Fade &Where You Type\tCtrl+Shift+F",
              [&] { ran.push_back("fade"); });
  fade.set_checked(true);
  auto key = std::make_unique<Action>(form, Action::Kind::kCommand, "Fade &Key\u2026",
                                      [&] { ran.push_back("key"); });
  Action grey(form, Action::Kind::kCommand, "&Grey", [&] { ran.push_back("grey"); });
  grey.set_enabled(false);
  form.system_menu().add(fade);
  form.system_menu().add(*key);
  form.system_menu().add(grey);

  HMENU system = GetSystemMenu(window, FALSE);
  ASSERT_NE(system, nullptr);
  const UINT own = static_cast<UINT>(GetMenuItemCount(system));
  const auto open = [&] {
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
  };
  open();
  open();  // last time's items give way to this time's
  ASSERT_EQ(GetMenuItemCount(system), static_cast<int>(own) + 4);
  EXPECT_TRUE(Read(system, own).type & MFT_SEPARATOR);
  const ReadItem items[] = {Read(system, own + 1), Read(system, own + 2), Read(system, own + 3)};
  EXPECT_EQ(items[0].caption, L"Fade &Where You Type\tCtrl+Shift+F");
  EXPECT_TRUE(items[0].state & MFS_CHECKED);
  EXPECT_TRUE(items[2].state & MFS_GRAYED);
  for (const ReadItem& item : items) {
    EXPECT_EQ(item.id % 16, 0u) << item.id;
    EXPECT_LT(item.id, 0xF000u);
    EXPECT_EQ(item.submenu, nullptr);
  }

  SendMessageW(window, WM_SYSCOMMAND, items[0].id | 0x2, 0);
  SendMessageW(window, WM_SYSCOMMAND, items[2].id, 0);
  EXPECT_EQ(ran, std::vector<std::string>{"fade"});
  EXPECT_FALSE(fade.is_checked());

  // An action that went is gone from the next opening.
  key.reset();
  open();
  ASSERT_EQ(GetMenuItemCount(system), static_cast<int>(own) + 3);
  EXPECT_EQ(Read(system, own + 2).caption, L"&Grey");
}

// What the open pop-up menu holds, read from inside its loop.
std::vector<std::wstring>* openMenu = nullptr;

void CALLBACK ReadOpenMenu(HWND owner, UINT, UINT_PTR id, DWORD) {
  KillTimer(owner, id);
  HWND popup = FindWindowW(L"#32768", nullptr);
  auto* menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
  for (int k = 0; menu && k < GetMenuItemCount(menu); ++k) {
    const ReadItem item = Read(menu, static_cast<UINT>(k));
    openMenu->push_back(item.caption);
    for (int n = 0; item.submenu && n < GetMenuItemCount(item.submenu); ++n) {
      const ReadItem inner = Read(item.submenu, static_cast<UINT>(n));
      openMenu->push_back(L"> " + inner.caption + (inner.state & MFS_GRAYED ? L" (grey)" : L""));
    }
  }
  EndMenu();
}

// A box with looks opens its own menu, and the window's items come after the box's.
TEST(OwnMenuWin32Test, TheBoxsOwnMenuEndsWithTheWindowsItems) {
  Win32EventPump events;
  Win32Backend backend{events, {}};
  toolkit::Form form{"OwnMenuTest"};
  form.set_client_size(6000, 3000);
  auto& box = form.add<toolkit::TextBox>("Text1", 1);
  box.set_bounds({120, 120, 4000, 1200});
  box.set_multi_line(true);
  box.set_look_source([] { return std::vector<toolkit::CharacterLook>{}; });
  Action html(form, Action::Kind::kCommand, "&HTML");
  Action bbcode(form, Action::Kind::kCommand, "&BBCode");
  bbcode.set_enabled(false);
  box.on_own_menu = [&](Menu& menu) { menu.add_submenu("Copy A&s", {&html, &bbcode}); };
  form.realize(backend);
  form.show();
  box.set_focus();
  events.ProcessPendingEvents();

  std::vector<std::wstring> shown;
  openMenu = &shown;
  HWND window = reinterpret_cast<HWND>(form.native_handle());
  SetTimer(window, 1, 200, ReadOpenMenu);
  HWND boxWindow = reinterpret_cast<HWND>(box.native_handle());
  SendMessageW(boxWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(boxWindow), -1);
  openMenu = nullptr;
  form.unload();
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown[0], L"&Undo");
  EXPECT_EQ(std::vector<std::wstring>(shown.end() - 4, shown.end()),
            (std::vector<std::wstring>{L"Preview Colours", L"Copy A&s", L"> &HTML",
                                       L"> &BBCode (grey)"}));
}

}  // namespace
}  // namespace vfx::platform::win32
