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

WindowHandle FindMainFrame(platform::Desktop& desktop) {
  return desktop.FindWindowA(table::kMainFrameClass, std::nullopt);
}

WindowHandle FindDocumentArea(platform::Desktop& desktop) {
  return FindChildByClass(desktop, FindMainFrame(desktop), table::kDocumentAreaClass);
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
  runButton = NextSibling(desktop, runButton, table::kRunKeywordButtonHops);
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
  WindowHandle buddyList = FindChildByTitle(desktop, documents, table::kBuddyListCaption);
  if (buddyList == kNoWindow) {
    if (!RunKeyword(platform, table::kBuddyListKeyword)) {
      return platform.events.IsEnding() ? InstantMessageOutcome::kCancelled
                                        : InstantMessageOutcome::kNoAnswer;
    }
    FlushEvents(platform.events);
    // The host may take a moment to open it: waiting for it, within the bound, costs nothing
    // when it is there at once.
    const WaitOutcome opened = WaitForHost(platform, [&] {
      buddyList = FindChildByTitle(desktop, documents, table::kBuddyListCaption);
      return buddyList != kNoWindow;
    });
    if (opened != WaitOutcome::kFound) return Unfinished(opened);
  }
  const WindowHandle imButton =
      NextSibling(desktop, FindChildByClass(desktop, buddyList, table::kPushButtonClass),
                  table::kInstantMessageButtonHops);
  if (imButton == kNoWindow) return InstantMessageOutcome::kNoAnswer;
  if (!PauseThenClick(platform, kInstantMessageClickPause, imButton))
    return InstantMessageOutcome::kCancelled;

  // Phase 2: fill in the instant message window and press Send.
  WindowHandle recipientBox = kNoWindow, messageBox = kNoWindow, firstButton = kNoWindow;
  const WaitOutcome opened = WaitForHost(platform, [&] {
    const WindowHandle window = FindChildByTitle(desktop, documents, table::kInstantMessageCaption);
    recipientBox = FindChildByClass(desktop, window, table::kEditClass);
    messageBox = FindChildByClass(desktop, window, table::kRichTextClass);
    firstButton = FindChildByClass(desktop, window, table::kPushButtonClass);
    return recipientBox != kNoWindow && messageBox != kNoWindow && firstButton != kNoWindow;
  });
  if (opened != WaitOutcome::kFound) return Unfinished(opened);
  if (!desktop.SendMessageA(recipientBox, platform::message::kSetText, 0, recipient) ||
      !desktop.SendMessageA(messageBox, platform::message::kSetText, 0, text))
    return InstantMessageOutcome::kNoAnswer;
  const WindowHandle sendButton = NextSibling(desktop, firstButton, table::kSendButtonHops);
  if (!PauseThenClick(platform, kInstantMessageClickPause, sendButton))
    return InstantMessageOutcome::kCancelled;

  // Phase 3: sent (the window closed by itself) or refused (the notice). The notice is looked
  // for first, so it always closes both windows, even while the message window is still open.
  InstantMessageOutcome outcome = InstantMessageOutcome::kNoAnswer;
  const WaitOutcome finished = WaitForHost(platform, [&] {
    const WindowHandle area = FindDocumentArea(desktop);
    if (area == kNoWindow) return false;  // the host is gone: that is no sign that it sent
    const WindowHandle window = FindChildByTitle(desktop, area, table::kInstantMessageCaption);
    const WindowHandle notice = desktop.FindWindowA(table::kNoticeClass, table::kNoticeCaption);
    if (notice != kNoWindow) {
      desktop.SendMessageA(notice, platform::message::kClose, 0, std::intptr_t{0});
      if (window != kNoWindow)
        desktop.SendMessageA(window, platform::message::kClose, 0, std::intptr_t{0});
      outcome = InstantMessageOutcome::kRefused;
      return true;
    }
    if (window == kNoWindow) {
      outcome = InstantMessageOutcome::kSent;
      return true;
    }
    return false;
  });
  if (finished != WaitOutcome::kFound) return Unfinished(finished);
  return outcome;
}

}  // namespace vfx::host
