#include "host/host.h"
#include "host/window_table.h"
#include "text/ascii.h"

namespace vfx::host {
namespace {

using Kind = TypingPlace::Kind;

// The host is where the user works when its frame, or a window the frame owns (one of its
// dialogs), is the foreground window.
bool HostInFront(platform::Desktop& desktop, WindowHandle frame) {
  // Owners form a short chain; the bound keeps a looped one from holding the add-on.
  constexpr int kMostOwners = 8;
  WindowHandle window = desktop.GetForegroundWindow();
  for (int step = 0; step < kMostOwners && window != platform::kNoWindow; ++step) {
    if (window == frame) return true;
    window = desktop.GetWindow(window, platform::Relation::kOwner);
  }
  return false;
}

}  // namespace

TypingPlace FindTypingPlace(platform::Desktop& desktop) {
  const WindowHandle frame = desktop.FindWindowA(table::kMainFrameClass, std::nullopt);
  if (frame == platform::kNoWindow || !HostInFront(desktop, frame)) return {};
  const WindowHandle documents = FindChildByClass(desktop, frame, table::kDocumentAreaClass);
  const platform::MessageResult active =
      desktop.SendMessageA(documents, platform::message::kMdiGetActive, 0, std::intptr_t{0});
  if (!active) return {.kind = Kind::kHostNotResponding};
  const auto window = static_cast<WindowHandle>(*active);
  if (window == platform::kNoWindow) return {.kind = Kind::kNoTypingWindow};

  // A chat room as the chat send finds one: a member list and a rich-text box.
  if (FindChildByClass(desktop, window, table::kMemberListClass) != platform::kNoWindow) {
    const WindowHandle input = ChatInputBox(desktop, window);
    if (input != platform::kNoWindow) return {Kind::kChatRoom, window, input};
  }
  if (text::StartsWithIgnoringCase(GetWindowCaption(desktop, window),
                                   table::kInstantMessageCaption)) {
    const WindowHandle text = FindChildByClass(desktop, window, table::kRichTextClass);
    if (text != platform::kNoWindow) return {Kind::kInstantMessage, window, text};
  }
  return {.kind = Kind::kNoTypingWindow, .window = window};
}

}  // namespace vfx::host
