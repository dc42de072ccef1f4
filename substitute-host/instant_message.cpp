#include "substitute-host/controls.h"
#include "substitute-host/documents.h"
#include "substitute-host/host_app.h"

namespace vfx::subhost {
namespace {

enum : int { kToId = 1, kMessageId, kFirstIconId = 10 };
struct IconSpec {
  const char* label;
  int width;
};
// The formatting bar, then Send: the tenth push button, first + 9.
constexpr IconSpec kIcons[] = {{"Color", 44}, {"Back", 40}, {"A+", 26},        {"A", 26},
                               {"A-", 26},    {"B", 24},    {"I", 24},         {"U", 24},
                               {"Link", 40},  {"Send", 64}, {"Available?", 80}};
constexpr int kSendIcon = 9;
constexpr int kMargin = 8, kRowHeight = 26;

}  // namespace

InstantMessageWindow::InstantMessageWindow(HostApp& app, std::string recipient)
    : Document(app, "Send Instant Message", {450, 300}), recipient_(std::move(recipient)) {}

void InstantMessageWindow::CreateControls() {
  toLabel_ = CreateControl(window_, {.text = "To:", .font = InterfaceBoldFont()});
  to_ = CreateControl(window_, {.className = kEditClass,
                                .text = recipient_.c_str(),
                                .id = kToId,
                                .style = ES_AUTOHSCROLL | WS_TABSTOP,
                                .exStyle = WS_EX_CLIENTEDGE});
  message_ =
      CreateControl(window_, {.className = kRichTextClass,
                              .id = kMessageId,
                              .style = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                              .exStyle = WS_EX_CLIENTEDGE});
  int id = kFirstIconId;
  for (const IconSpec& icon : kIcons)
    icons_.push_back(
        CreateControl(window_, {.className = kIconClass, .text = icon.label, .id = id++}));
}

void InstantMessageWindow::OnSize(int width, int height) {
  MoveWindow(toLabel_, kMargin, kMargin + 4, 26, 16, TRUE);
  MoveWindow(to_, kMargin + 30, kMargin, 220, kRowHeight - 2, TRUE);
  const int iconY = height - kMargin - kRowHeight;
  const int messageTop = kMargin + kRowHeight + 6;
  MoveWindow(message_, kMargin, messageTop, width - 2 * kMargin, iconY - 6 - messageTop, TRUE);
  int x = kMargin;
  for (std::size_t i = 0; i < icons_.size(); ++i) {
    // Send and the rest stand at the right-hand end, away from the formatting bar.
    if (static_cast<int>(i) == kSendIcon)
      x = width - kMargin - kIcons[i].width - 4 - kIcons[i + 1].width;
    MoveWindow(icons_[i], x, iconY, kIcons[i].width, kRowHeight, TRUE);
    x += kIcons[i].width + 4;
  }
}

void InstantMessageWindow::OnCommand(int id, WORD code, HWND) {
  if (id == kFirstIconId + kSendIcon && code == kIconClicked) Send();
  if (id == kToId && code == kEditEnter) SetFocus(message_);
}

// A message the host sent closes its window; a refused one leaves it open behind the notice.
void InstantMessageWindow::Send() {
  if (app_.DeliverInstantMessage(WindowText(to_), WindowText(message_))) CloseSoon();
}

}  // namespace vfx::subhost
