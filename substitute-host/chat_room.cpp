#include "substitute-host/controls.h"
#include "substitute-host/documents.h"
#include "substitute-host/event_log.h"
#include "substitute-host/hang.h"
#include "substitute-host/transcript.h"

namespace vfx::subhost {
namespace {

enum : int { kTranscriptId = 1, kMembersId, kInputId, kSendId, kRoomIconId };
constexpr const char* kRoomIcons[] = {"People", "Prefs", "Notify"};
constexpr int kMargin = 8, kColumnWidth = 150, kRowHeight = 26, kSendWidth = 64;

}  // namespace

ChatRoom::ChatRoom(HostApp& app, std::string room, std::string member,
                   std::vector<std::string> others)
    : Document(app, room, {680, 470}),
      room_(std::move(room)),
      member_(std::move(member)),
      others_(std::move(others)) {}

void ChatRoom::CreateControls() {
  // The order below is the z-order the add-on walks: the input box is the sixth window after
  // the transcript, counting every class.
  transcript_ =
      CreateControl(window_, {.className = kRichTextClass,
                              .id = kTranscriptId,
                              .style = ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL,
                              .exStyle = WS_EX_CLIENTEDGE});
  const std::string people = "People Here: " + std::to_string(others_.size() + 1);
  peopleLabel_ = CreateControl(window_, {.text = people.c_str(), .font = InterfaceBoldFont()});
  members_ = CreateControl(window_, {.className = kListClass,
                                     .id = kMembersId,
                                     .style = WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                                     .exStyle = WS_EX_CLIENTEDGE});
  for (int i = 0; i < 3; ++i)
    roomIcons_[i] = CreateControl(
        window_, {.className = kIconClass, .text = kRoomIcons[i], .id = kRoomIconId + i});
  input_ = CreateControl(window_, {.className = kEditClass,
                                   .id = kInputId,
                                   .style = ES_AUTOHSCROLL | WS_TABSTOP,
                                   .exStyle = WS_EX_CLIENTEDGE});
  send_ = CreateControl(window_, {.className = kIconClass, .text = "Send", .id = kSendId});

  SendMessageA(members_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(member_.c_str()));
  for (const std::string& name : others_)
    SendMessageA(members_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  AppendServiceLine(transcript_, "*** You are in \"" + room_ + "\". ***");
  if (!others_.empty()) AppendChatLine(transcript_, others_.front(), "hey all <B>:-)</B>");
}

void ChatRoom::OnSize(int width, int height) {
  const int columnX = width - kMargin - kColumnWidth;
  const int transcriptWidth = columnX - 2 * kMargin;
  const int inputY = height - kMargin - kRowHeight;
  MoveWindow(transcript_, kMargin, kMargin, transcriptWidth, inputY - 2 * kMargin, TRUE);
  MoveWindow(peopleLabel_, columnX, kMargin, kColumnWidth, 16, TRUE);
  const int listTop = kMargin + 20;
  const int iconY = inputY - kRowHeight - kMargin;
  MoveWindow(members_, columnX, listTop, kColumnWidth, iconY - kMargin - listTop, TRUE);
  const int iconWidth = (kColumnWidth - 2 * 4) / 3;
  for (int i = 0; i < 3; ++i)
    MoveWindow(roomIcons_[i], columnX + i * (iconWidth + 4), iconY, iconWidth, kRowHeight, TRUE);
  MoveWindow(input_, kMargin, inputY, transcriptWidth - kSendWidth - 6, kRowHeight, TRUE);
  MoveWindow(send_, kMargin + transcriptWidth - kSendWidth, inputY, kSendWidth, kRowHeight, TRUE);
}

void ChatRoom::OnCommand(int id, WORD code, HWND) {
  if ((id == kInputId && code == kEditEnter) || (id == kSendId && code == kIconClicked))
    PostInput();
}

// What Enter does: the box's text goes to the room as it is, and the box is emptied.
void ChatRoom::PostInput() {
  const std::string line = WindowText(input_);
  if (line.empty()) return;
  Log().Write("chat", {Text("window", room_), Text("speaker", member_), Bytes("text", line)});
  HangIf(HangPoint::kChat);
  AppendChatLine(transcript_, member_, line);
  SetOwnText(input_, "");
}

}  // namespace vfx::subhost
