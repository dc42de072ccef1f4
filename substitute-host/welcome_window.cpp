#include "substitute-host/controls.h"
#include "substitute-host/documents.h"
#include "substitute-host/host_app.h"

namespace vfx::subhost {
namespace {

enum : int { kChatId = 1, kMailId };

HFONT GreetingFont() {
  static const HFONT font =
      CreateFontA(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  return font;
}

}  // namespace

WelcomeWindow::WelcomeWindow(HostApp& app, const std::string& member)
    : Document(app, "Welcome, " + member + "!", {330, 200}), member_(member) {}

void WelcomeWindow::CreateControls() {
  const std::string greeting = "Welcome, " + member_ + "!";
  CreateControl(window_, {.text = greeting.c_str(),
                          .x = 12,
                          .y = 12,
                          .width = 300,
                          .height = 26,
                          .font = GreetingFont()});
  CreateControl(window_,
                {.text = "You have no new mail.", .x = 12, .y = 46, .width = 300, .height = 18});
  CreateControl(window_, {.text = "Your buddies are online. The chat room is open.",
                          .x = 12,
                          .y = 66,
                          .width = 300,
                          .height = 18});
  CreateControl(window_, {.className = kIconClass,
                          .text = "Go to Chat",
                          .x = 12,
                          .y = 100,
                          .width = 90,
                          .height = 26,
                          .id = kChatId});
  CreateControl(window_, {.className = kIconClass,
                          .text = "Read Mail",
                          .x = 110,
                          .y = 100,
                          .width = 90,
                          .height = 26,
                          .id = kMailId});
}

void WelcomeWindow::OnCommand(int id, WORD code, HWND) {
  if (id == kChatId && code == kIconClicked) app_.BringChatRoomToFront();
}

}  // namespace vfx::subhost
