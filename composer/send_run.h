// The Send run and the handlers that choose where it delivers: the chat room, an instant message,
// or the HTML view.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "composer/compose.h"
#include "composer/send_window.h"
#include "host/host.h"
#include "platform/platform.h"

namespace vfx::composer {

// The main window's variables that Send reads and writes. The window holds them and hands them
// to its SendRun.
struct SendState {
  bool ViewHtml = false;  // "yes": the run in progress was started by View HTML
  bool ImMode = false;    // Send delivers as an instant message
  std::string AttentionBanner = std::string(composer::AttentionBanner());
};

// The longest message handed to the host, in bytes: about twenty thousand typed characters once
// faded. More is no chat line; the host would spend seconds on it, and under Wine a message of
// a megabyte or more between two processes ends the process that receives it.
inline constexpr std::size_t kLongestMessage = 1'000'000;

class SendRun {
 public:
  SendRun(SendWindow& window, SendState& state, platform::Platform platform);

  // Send: compose the typed line and deliver it. Every wait inside keeps the window's events
  // running, so another handler, another Send among them, may run in the middle.
  void Command1_Click();
  // View HTML: Send into Text2, then the closing tags the delivered message leaves out.
  void Command9_Click();
  // The instant-message frame's Send: instant-message mode from now on, then Send.
  void Command11_Click();
  // "Send to Room " and "IM Send".
  void Option11_Click();
  void Option12_Click();

 private:
  Styles ReadStyles();
  // The chat send, with the attention banner around it when asked; empty when the program is
  // ending.
  std::optional<DeliveryStatus> SendToChat(const std::string& message);
  bool Ending() { return platform_.events.IsEnding(); }
  // One line to the chat room; the Sends clicked meanwhile run once it is posted.
  host::ChatOutcome HandOver(std::string_view line);
  void RunDeferredSends();

  SendWindow& window_;
  SendState& state_;
  platform::Platform platform_;
  bool handingOver_ = false;  // a line is between its text and its Enter
  bool instantMessageOnItsWay_ = false;
  int deferredSends_ = 0;  // Sends clicked meanwhile
  bool runningDeferred_ = false;
};

}  // namespace vfx::composer
