#include <algorithm>

#include "host/host.h"
#include "host/window_table.h"

namespace vfx::host {
namespace {

constexpr int kWelcomeCaptionBuffer = 200;

WindowHandle FindDocumentArea(platform::Desktop& desktop,
                              std::optional<std::string_view> frameCaption) {
  const WindowHandle frame = desktop.FindWindowA(table::kMainFrameClass, frameCaption);
  return FindChildByClass(desktop, frame, table::kDocumentAreaClass);
}

}  // namespace

WindowHandle FindChatRoom(platform::Desktop& desktop) {
  const WindowHandle documents = FindDocumentArea(desktop, std::nullopt);
  // Children are searched from the top of the z-order: this is the frontmost document window,
  // and only it is examined.
  const WindowHandle frontmost = FindChildByClass(desktop, documents, table::kDocumentWindowClass);
  const WindowHandle members = FindChildByClass(desktop, frontmost, table::kMemberListClass);
  const WindowHandle transcript = FindChildByClass(desktop, frontmost, table::kRichTextClass);
  if (members == platform::kNoWindow || transcript == platform::kNoWindow)
    return platform::kNoWindow;
  return frontmost;
}

ChatOutcome SendChat(const platform::Platform& platform, std::string_view line) {
  if (platform.events.IsEnding()) return ChatOutcome::kCancelled;
  return SendChatInto(platform, FindChatRoom(platform.desktop), line);
}

WindowHandle ChatInputBox(platform::Desktop& desktop, WindowHandle room) {
  const WindowHandle transcript = FindChildByClass(desktop, room, table::kRichTextClass);
  return NextSibling(desktop, transcript, table::kChatInputHops);
}

ChatOutcome SendChatInto(const platform::Platform& platform, WindowHandle room,
                         std::string_view line) {
  platform::Desktop& desktop = platform.desktop;
  if (platform.events.IsEnding()) return ChatOutcome::kCancelled;
  const WindowHandle input = ChatInputBox(desktop, room);
  if (input == platform::kNoWindow) return ChatOutcome::kNoChatRoom;

  FocusWindow(desktop, input);
  if (!desktop.SendMessageA(input, platform::message::kSetText, 0, line))
    return ChatOutcome::kHostNotResponding;
  platform.events.ProcessPendingEvents();
  // A handler that ran just now may have ended the program: then Enter is not pressed.
  if (platform.events.IsEnding()) return ChatOutcome::kCancelled;
  // The host has the line: silence now may mean it hangs while posting it, not that it did not.
  if (!desktop.SendMessageA(input, platform::message::kChar, 13, std::intptr_t{0}))
    return ChatOutcome::kMayHavePosted;
  return ChatOutcome::kPosted;
}

std::string GetSignedOnName(platform::Desktop& desktop) {
  const WindowHandle documents = FindDocumentArea(desktop, table::kMainFrameCaption);
  const WindowHandle welcome = FindChildByTitle(desktop, documents, table::kWelcomeCaption);
  if (welcome == platform::kNoWindow) return {};

  // The caption is read into a buffer of fixed size: a longer caption is cut there, and a name
  // whose "!" lies beyond the cut is not found.
  const int length = desktop.GetWindowTextLengthA(welcome);
  const int buffer = std::min(length + 1, kWelcomeCaptionBuffer);
  if (buffer <= 1) return {};
  const std::string caption = desktop.GetWindowTextA(welcome, buffer);

  const std::size_t bang = caption.find('!');
  const std::size_t nameStart = table::kWelcomeCaption.size();
  if (bang == std::string::npos || bang < nameStart) return {};
  return caption.substr(nameStart, bang - nameStart);
}

}  // namespace vfx::host
