#include "host/host.h"
#include "host/waits.h"
#include "host/window_table.h"

namespace vfx::host {
namespace {

using detail::WaitForHost;
using detail::WaitOutcome;
using platform::kNoWindow;

constexpr double kKeywordClickPause = 0.05;
constexpr double kInstantMessageClickPause = 0.01;
// Enough for any the host can have left up; the bound keeps a host that reopens them at bay.
constexpr int kMostEarlierNotices = 8;

WindowHandle FindMainFrame(platform::Desktop& desktop) {
  return desktop.FindWindowA(table::kMainFrameClass, std::nullopt);
}

WindowHandle FindDocumentArea(platform::Desktop& desktop) {
  return FindChildByClass(desktop, FindMainFrame(desktop), table::kDocumentAreaClass);
}

// The buddy list's button that opens an instant message window; none while the list is not
// open or its controls are not made yet.
WindowHandle InstantMessageButton(platform::Desktop& desktop, WindowHandle documents) {
  const WindowHandle buddyList = FindChildByTitle(desktop, documents, table::kBuddyListCaption);
  return NextSibling(desktop, FindChildByClass(desktop, buddyList, table::kPushButtonClass),
                     table::kInstantMessageButtonHops);
}

InstantMessageOutcome Unfinished(WaitOutcome outcome) {
  return outcome == WaitOutcome::kCancelled ? InstantMessageOutcome::kCancelled
                                            : InstantMessageOutcome::kNoAnswer;
}

// Pauses before a click, as a user's hand would; the click is skipped when the program ends.
bool PauseThenClick(const platform::Platform& platform, double seconds, WindowHandle button) {
  Pause(platform.events, seconds);
  if (platform.events.IsEnding()) return false;
  ClickWindow(platform.desktop, button);
  return true;
}

// The message window's Send, then its outcome: sent (the window closed by itself) or refused
// (the notice). The notice is looked for first, so a refusal is seen even while the message
// window is still open; the window is this message's own, and another may stay open beside it.
InstantMessageOutcome PressSendAndAwait(const platform::Platform& platform, WindowHandle window,
                                        WindowHandle firstButton, bool closeWindowOnRefusal) {
  platform::Desktop& desktop = platform.desktop;
  const WindowHandle sendButton = NextSibling(desktop, firstButton, table::kSendButtonHops);
  // A notice still up from an earlier message would read as this one's refusal.
  for (int closed = 0; closed < kMostEarlierNotices; ++closed) {
    const WindowHandle notice = desktop.FindWindowA(table::kNoticeClass, table::kNoticeCaption);
    if (notice == kNoWindow) break;
    desktop.SendMessageA(notice, platform::message::kClose, 0, std::intptr_t{0});
  }
  if (!PauseThenClick(platform, kInstantMessageClickPause, sendButton))
    return InstantMessageOutcome::kCancelled;

  InstantMessageOutcome outcome = InstantMessageOutcome::kNoAnswer;
  const WaitOutcome finished = WaitForHost(platform, [&] {
    if (FindDocumentArea(desktop) == kNoWindow) return false;      // gone: no sign that it sent
    const bool open = !GetWindowCaption(desktop, window).empty();  // a closed window has none
    const WindowHandle notice = desktop.FindWindowA(table::kNoticeClass, table::kNoticeCaption);
    if (notice != kNoWindow) {
      desktop.SendMessageA(notice, platform::message::kClose, 0, std::intptr_t{0});
      if (open && closeWindowOnRefusal)
        desktop.SendMessageA(window, platform::message::kClose, 0, std::intptr_t{0});
      outcome = InstantMessageOutcome::kRefused;
      return true;
    }
    if (!open) {
      outcome = InstantMessageOutcome::kSent;
      return true;
    }
    return false;
  });
  if (finished != WaitOutcome::kFound) return Unfinished(finished);
  return outcome;
}

}  // namespace

bool RunKeyword(const platform::Platform& platform, std::string_view keyword) {
  platform::Desktop& desktop = platform.desktop;
  const WindowHandle frame = FindMainFrame(desktop);
  const WindowHandle outer = FindChildByClass(desktop, frame, table::kOuterToolbarClass);
  const WindowHandle inner = FindChildByClass(desktop, outer, table::kInnerToolbarClass);
  const WindowHandle firstButton = FindChildByClass(desktop, inner, table::kPushButtonClass);
  const WindowHandle keywordButton = NextSibling(desktop, firstButton, table::kKeywordButtonHops);
  if (keywordButton == kNoWindow) return false;
  if (!PauseThenClick(platform, kKeywordClickPause, keywordButton)) return false;

  WindowHandle edit = kNoWindow, runButton = kNoWindow;
  const WaitOutcome opened = WaitForHost(platform, [&] {
    const WindowHandle documents = FindChildByClass(desktop, frame, table::kDocumentAreaClass);
    const WindowHandle window = FindChildByTitle(desktop, documents, table::kKeywordWindowCaption);
    edit = FindChildByClass(desktop, window, table::kEditClass);
    runButton = FindChildByClass(desktop, window, table::kPushButtonClass);
    return documents != kNoWindow && window != kNoWindow && edit != kNoWindow &&
           runButton != kNoWindow;
  });
  if (opened != WaitOutcome::kFound) return false;

  if (!desktop.SendMessageA(edit, platform::message::kSetText, 0, keyword)) return false;
  if (!PauseThenClick(platform, kKeywordClickPause, runButton)) return false;
  ClickWindow(desktop, runButton);
  return true;
}

InstantMessageOutcome SendInstantMessage(const platform::Platform& platform,
                                         std::string_view recipient, std::string_view text) {
  platform::Desktop& desktop = platform.desktop;
  if (platform.events.IsEnding()) return InstantMessageOutcome::kCancelled;
  if (FindMainFrame(desktop) == kNoWindow) return InstantMessageOutcome::kNoAnswer;

  // Phase 1: the buddy list, opened through the Keyword window when it is not open yet.
  const WindowHandle documents = FindDocumentArea(desktop);
  WindowHandle imButton = InstantMessageButton(desktop, documents);
  if (imButton == kNoWindow) {
    if (FindChildByTitle(desktop, documents, table::kBuddyListCaption) == kNoWindow) {
      if (!RunKeyword(platform, table::kBuddyListKeyword)) {
        return platform.events.IsEnding() ? InstantMessageOutcome::kCancelled
                                          : InstantMessageOutcome::kNoAnswer;
      }
      FlushEvents(platform.events);
    }
    // The host may take a moment to open it, and a window carries its caption before its
    // controls are made: the wait is for the button.
    const WaitOutcome opened = WaitForHost(platform, [&] {
      imButton = InstantMessageButton(desktop, documents);
      return imButton != kNoWindow;
    });
    if (opened != WaitOutcome::kFound) return Unfinished(opened);
  }
  // A message window that is open already (one the user is writing, or one an earlier message
  // left when the host never answered) is not the one this click opens: the new one comes in
  // front of it.
  const WindowHandle earlier = FindChildByTitle(desktop, documents, table::kInstantMessageCaption);
  if (!PauseThenClick(platform, kInstantMessageClickPause, imButton))
    return InstantMessageOutcome::kCancelled;

  // Phase 2: fill in the instant message window and press Send.
  WindowHandle window = kNoWindow;
  WindowHandle recipientBox = kNoWindow, messageBox = kNoWindow, firstButton = kNoWindow;
  const WaitOutcome opened = WaitForHost(platform, [&] {
    window = FindChildByTitle(desktop, documents, table::kInstantMessageCaption);
    if (window == earlier) return false;
    recipientBox = FindChildByClass(desktop, window, table::kEditClass);
    messageBox = FindChildByClass(desktop, window, table::kRichTextClass);
    firstButton = FindChildByClass(desktop, window, table::kPushButtonClass);
    return recipientBox != kNoWindow && messageBox != kNoWindow && firstButton != kNoWindow;
  });
  if (opened != WaitOutcome::kFound) return Unfinished(opened);
  if (!desktop.SendMessageA(recipientBox, platform::message::kSetText, 0, recipient) ||
      !desktop.SendMessageA(messageBox, platform::message::kSetText, 0, text))
    return InstantMessageOutcome::kNoAnswer;
  return PressSendAndAwait(platform, window, firstButton, true);
}

InstantMessageOutcome SendFromInstantMessageWindow(const platform::Platform& platform,
                                                   WindowHandle window, std::string_view text) {
  platform::Desktop& desktop = platform.desktop;
  if (platform.events.IsEnding()) return InstantMessageOutcome::kCancelled;
  const WindowHandle messageBox = FindChildByClass(desktop, window, table::kRichTextClass);
  const WindowHandle firstButton = FindChildByClass(desktop, window, table::kPushButtonClass);
  if (messageBox == kNoWindow || firstButton == kNoWindow) return InstantMessageOutcome::kNoAnswer;
  if (!desktop.SendMessageA(messageBox, platform::message::kSetText, 0, text))
    return InstantMessageOutcome::kNoAnswer;
  // The window is the user's own: a refusal leaves it open, for the recipient to be put right.
  return PressSendAndAwait(platform, window, firstButton, false);
}

}  // namespace vfx::host
