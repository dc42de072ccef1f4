// The host client's window tree on the in-memory desktop, with the behaviour the add-on relies
// on: a chat room that posts its input box on Enter, the toolbar's Keyword button, the buddy
// list and the instant message window with its notice.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tests/support/fake_desktop.h"

namespace vfx::testing {

struct FakeHostOptions {
  std::string member = "Bob";
  std::set<std::string> buddiesOnline = {"Ann"};
  std::string frameCaption = "America  Online";
  bool buddyListOpen = false;
  bool opensKeywordWindow = true;
  bool opensInstantMessageWindow = true;
  // The chat room comes back in front whenever the host opens another window, as if the user
  // clicked it again: chat lines and instant messages then alternate without failing.
  bool keepsChatRoomInFront = false;
};

class FakeHost {
 public:
  FakeHost(FakeDesktop& desktop, FakeHostOptions options = {});

  struct InstantMessage {
    std::string recipient, text;
    bool refused;
  };
  std::vector<std::string> chatLines;
  // Every chat line and instant message in the order the host took them: "chat|" and the line,
  // or "im|", the recipient, "|" and the text.
  std::vector<std::string> heard;
  std::vector<std::string> keywordsRun;
  std::vector<InstantMessage> instantMessages;
  int keywordButtonClicks = 0;

  WindowHandle frame = 0, documents = 0, chatRoom = 0, transcript = 0, input = 0, welcome = 0,
               keywordButton = 0;

  // The chat room anew, in front, after the user closed it (its handles are new ones).
  void ReopenChatRoom();
  // A document window without a member list, in front of the chat room.
  WindowHandle OpenDocumentInFront(std::string caption = "Mail");
  // An instant message window, in front, as the buddy list's button opens it; the user may type
  // into its boxes (FakeDesktop::Type) and press its Send as the add-on would.
  WindowHandle OpenInstantMessageWindow();
  WindowHandle FindDocument(std::string_view captionPrefix) const;
  WindowHandle Notice() const;

 private:
  void BuildChatRoom();
  void BuildToolbar();
  void OpenKeywordWindow();
  void OpenBuddyList();
  static bool IsButtonRelease(const SentMessage& message);
  void Opened(WindowHandle window);

  FakeDesktop& desktop_;
  FakeHostOptions options_;
};

}  // namespace vfx::testing
