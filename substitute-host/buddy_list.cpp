#include "substitute-host/controls.h"
#include "substitute-host/documents.h"
#include "substitute-host/host_app.h"

namespace vfx::subhost {
namespace {

enum : int { kListId = 1, kFirstIconId = 10 };
// The third is the one the add-on presses for an instant message.
constexpr const char* kIcons[] = {"Locate", "Setup", "Send IM", "Buddy Chat", "Info", "Away"};
constexpr int kSendImIcon = 2;

}  // namespace

BuddyList::BuddyList(HostApp& app, std::vector<std::string> online)
    : Document(app, "Buddy List Window", {220, 340}), online_(std::move(online)) {}

void BuddyList::CreateControls() {
  const std::string count = "Buddies online: " + std::to_string(online_.size());
  CreateControl(window_, {.text = count.c_str(),
                          .x = 8,
                          .y = 8,
                          .width = 196,
                          .height = 16,
                          .font = InterfaceBoldFont()});
  list_ = CreateControl(window_, {.className = kTreeClass,
                                  .x = 8,
                                  .y = 28,
                                  .width = 196,
                                  .height = 200,
                                  .id = kListId,
                                  .style = WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                                  .exStyle = WS_EX_CLIENTEDGE});
  for (const std::string& name : online_)
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  for (int i = 0; i < 6; ++i)
    CreateControl(window_, {.className = kIconClass,
                            .text = kIcons[i],
                            .x = 8 + (i % 3) * 66,
                            .y = 236 + (i / 3) * 30,
                            .width = 62,
                            .height = 26,
                            .id = kFirstIconId + i});
}

void BuddyList::OnCommand(int id, WORD code, HWND) {
  const bool sendIm = id == kFirstIconId + kSendImIcon && code == kIconClicked;
  const bool doubleClick = id == kListId && code == LBN_DBLCLK;
  if (sendIm || doubleClick) app_.OpenInstantMessage(SelectedBuddy());
}

std::string BuddyList::SelectedBuddy() const {
  const LRESULT index = SendMessageA(list_, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return {};
  std::string name(SendMessageA(list_, LB_GETTEXTLEN, index, 0) + 1, '\0');
  name.resize(SendMessageA(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data())));
  return name;
}

}  // namespace vfx::subhost
