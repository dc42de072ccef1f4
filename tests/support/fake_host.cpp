#include "tests/support/fake_host.h"

// The host's classes, captions and hop counts are written out here as the host has them, never
// taken from the add-on's own table: a wrong entry there must fail the tests.
namespace vfx::testing {

using platform::message::kChar;
using platform::message::kClose;
using platform::message::kLeftButtonUp;

FakeHost::FakeHost(FakeDesktop& desktop, FakeHostOptions options)
    : desktop_(desktop), options_(std::move(options)) {
  frame = desktop_.Add(0, "AOL Frame25", options_.frameCaption);
  BuildToolbar();
  documents = desktop_.Add(frame, "MDIClient");
  BuildChatRoom();
  welcome = desktop_.Add(documents, "AOL Child", "Welcome, " + options_.member + "!");
  if (options_.buddyListOpen) OpenBuddyList();
  desktop_.BringToTop(chatRoom);
  // The active document window is the frontmost.
  desktop_.React(documents, [this](const SentMessage& message) -> std::intptr_t {
    if (message.message != platform::message::kMdiGetActive) return 0;
    const std::vector<WindowHandle> open = desktop_.Children(documents);
    return open.empty() ? 0 : static_cast<std::intptr_t>(open.front());
  });
}

bool FakeHost::IsButtonRelease(const SentMessage& message) {
  return message.message == kLeftButtonUp;
}

void FakeHost::Opened(WindowHandle window) {
  desktop_.BringToTop(options_.keepsChatRoomInFront ? chatRoom : window);
}

void FakeHost::BuildChatRoom() {
  chatRoom = desktop_.Add(documents, "AOL Child", "Lobby 12");
  desktop_.Add(chatRoom, "_AOL_Static", "People Here");
  transcript = desktop_.Add(chatRoom, "RICHCNTL");
  for (const char* other : {"_AOL_Icon", "_AOL_Icon", "_AOL_Static", "_AOL_Icon", "_AOL_Icon"})
    desktop_.Add(chatRoom, other);
  input = desktop_.Add(chatRoom, "RICHCNTL");
  desktop_.Add(chatRoom, "_AOL_Listbox");
  desktop_.Add(chatRoom, "_AOL_Icon", "Send");
  desktop_.React(input, [this](const SentMessage& message) -> std::intptr_t {
    if (message.message == kChar && message.wParam == 13) {
      chatLines.push_back(desktop_.Text(input));
      heard.push_back("chat|" + chatLines.back());
      desktop_.SendMessageA(input, platform::message::kSetText, 0, std::string_view());
      desktop_.sent.pop_back();  // the host's own message is not the add-on's
    }
    return 0;
  });
}

void FakeHost::BuildToolbar() {
  const WindowHandle outer = desktop_.Add(frame, "AOL Toolbar");
  const WindowHandle inner = desktop_.Add(outer, "_AOL_Toolbar");
  for (int n = 0; n < 24; ++n) {
    const WindowHandle button = desktop_.Add(inner, "_AOL_Icon");
    if (n == 20) keywordButton = button;  // 20 hops from the first button
  }
  desktop_.React(keywordButton, [this](const SentMessage& message) -> std::intptr_t {
    if (IsButtonRelease(message)) {
      ++keywordButtonClicks;
      if (options_.opensKeywordWindow) OpenKeywordWindow();
    }
    return 0;
  });
}

void FakeHost::OpenKeywordWindow() {
  const WindowHandle window = desktop_.Add(documents, "AOL Child", "Keyword");
  Opened(window);
  const WindowHandle edit = desktop_.Add(window, "_AOL_Edit");
  const WindowHandle go = desktop_.Add(window, "_AOL_Icon", "Go");
  desktop_.React(go, [this, window, edit](const SentMessage& message) -> std::intptr_t {
    if (!IsButtonRelease(message)) return 0;
    const std::string keyword = desktop_.Text(edit);
    keywordsRun.push_back(keyword);
    if (keyword == "BuddyView" && FindDocument("Buddy List Window") == 0) OpenBuddyList();
    desktop_.Destroy(window);
    return 0;
  });
}

void FakeHost::OpenBuddyList() {
  const WindowHandle window = desktop_.Add(documents, "AOL Child", "Buddy List Window");
  Opened(window);
  desktop_.Add(window, "_AOL_Tree");
  WindowHandle imButton = 0;
  for (int n = 0; n < 5; ++n) {
    const WindowHandle button = desktop_.Add(window, "_AOL_Icon");
    if (n == 2) imButton = button;  // 2 hops
  }
  desktop_.React(imButton, [this](const SentMessage& message) -> std::intptr_t {
    if (IsButtonRelease(message) && options_.opensInstantMessageWindow) OpenInstantMessageWindow();
    return 0;
  });
}

WindowHandle FakeHost::OpenInstantMessageWindow() {
  const WindowHandle window = desktop_.Add(documents, "AOL Child", "Send Instant Message");
  Opened(window);
  const WindowHandle to = desktop_.Add(window, "_AOL_Edit");
  const WindowHandle text = desktop_.Add(window, "RICHCNTL");
  WindowHandle send = 0;
  for (int n = 0; n < 11; ++n) {
    const WindowHandle button = desktop_.Add(window, "_AOL_Icon");
    if (n == 9) send = button;  // 9 hops
  }
  desktop_.React(window, [this, window](const SentMessage& message) -> std::intptr_t {
    if (message.message == kClose) desktop_.Destroy(window);
    return 0;
  });
  desktop_.React(send, [this, window, to, text](const SentMessage& message) -> std::intptr_t {
    if (!IsButtonRelease(message)) return 0;
    const std::string recipient = desktop_.Text(to);
    const bool online = options_.buddiesOnline.contains(recipient);
    instantMessages.push_back({recipient, desktop_.Text(text), !online});
    heard.push_back("im|" + recipient + "|" + desktop_.Text(text));
    if (online) {
      desktop_.Destroy(window);
    } else {
      const WindowHandle notice = desktop_.Add(0, "#32770", "America Online");
      desktop_.React(notice, [this, notice](const SentMessage& closing) -> std::intptr_t {
        if (closing.message == kClose) desktop_.Destroy(notice);
        return 0;
      });
    }
    return 0;
  });
  return window;
}

void FakeHost::ReopenChatRoom() {
  BuildChatRoom();
  desktop_.BringToTop(chatRoom);
}

WindowHandle FakeHost::OpenDocumentInFront(std::string caption) {
  const WindowHandle window = desktop_.Add(documents, "AOL Child", std::move(caption));
  desktop_.Add(window, "RICHCNTL");
  desktop_.BringToTop(window);
  return window;
}

WindowHandle FakeHost::FindDocument(std::string_view captionPrefix) const {
  for (WindowHandle window : desktop_.Children(documents)) {
    if (desktop_.GetWindowTextA(window, 1000).starts_with(captionPrefix)) return window;
  }
  return 0;
}

WindowHandle FakeHost::Notice() const { return desktop_.FindWindowA("#32770", "America Online"); }

}  // namespace vfx::testing
