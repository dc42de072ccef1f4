// The Send run and the handlers that choose where it delivers: the chat room, an instant message,
// or the HTML view.
//
// A Send composes its message at the click, with the line, styles, colours, count and Wavy that
// the window holds at that moment, and fixes where the message goes. The request then joins one
// queue, and one loop delivers the queue in order. A delivery waits on the host, and its waits
// let the window's events run: a click handled there only adds its request behind the others,
// so deliveries never nest, a message's attention banners are never split by another line, and
// the host receives the messages in the order they were asked for.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "composer/compose.h"
#include "composer/send_window.h"
#include "host/host.h"
#include "platform/platform.h"

namespace vfx::composer {

// The main window's variables that Send reads and writes. The window holds them and hands them
// to its SendRun.
struct SendState {
  bool ViewHtml = false;  // "yes": the Send being composed was started by View HTML
  bool ImMode = false;    // Send delivers as an instant message
  std::string AttentionBanner = std::string(composer::AttentionBanner());
};

// The longest message handed to the host, in bytes: about twenty thousand typed characters once
// faded. More is no chat line; the host would spend seconds on it, and under Wine a message of
// a megabyte or more between two processes ends the process that receives it.
inline constexpr std::size_t kLongestMessage = 1'000'000;

// One request to the host, fixed when it was made.
struct Delivery {
  enum class Kind {
    kChat,            // `lines` into the chat room, one after another, `pause` seconds apart
    kInstantMessage,  // `lines[0]` as an instant message to `recipient`
    kViewOnly,        // nothing to the host: View HTML has put the message into Text2
    // The fade key's: what the user typed in the host's `box` of `target`, faded in its place.
    kChatInPlace,            // `lines` into the chat room `target`, as kChat
    kInstantMessageInPlace,  // `lines[0]` from the instant message window `target`
  };
  Kind kind = Kind::kChat;
  std::vector<std::string> lines{};
  double pause = 0;
  std::string recipient{};
  // For a Send: which of `lines` is the message itself (the others are its banners), and the
  // typed line it was composed from, which Clear Text may empty once the message has arrived.
  // The add-on's own lines (Advertise) report nothing and leave the typed line alone.
  bool isSend = false;
  std::size_t messageLine = 0;
  std::string typedLine{};
  bool mayClear = false;  // not after View HTML, which leaves the typed line
  // The fade key's: the host's windows, and `typedLine` is what the user typed there.
  platform::WindowHandle target = platform::kNoWindow, box = platform::kNoWindow;
  bool InPlace() const {
    return kind == Kind::kChatInPlace || kind == Kind::kInstantMessageInPlace;
  }
};

class SendRun {
 public:
  SendRun(SendWindow& window, SendState& state, platform::Platform platform);

  // Send: compose the typed line now and deliver it in its turn.
  void Command1_Click();
  // View HTML: the message and the closing tags it leaves open into Text2 at once; in
  // instant-message mode the message is delivered as well, in its turn.
  void Command9_Click();
  // The instant-message frame's Send: instant-message mode from now on, then Send.
  void Command11_Click();
  // "Send to Room " and "IM Send".
  void Option11_Click();
  void Option12_Click();

  // The fade key: the line the user typed in the host's chat room or instant message window in
  // front, taken out of its box now, composed now as a Send would compose it, and faded in its
  // place in its turn. A line that is empty or holds colour tags is left alone. A line that is
  // not posted goes back where it was typed (in front of what the user has typed there since),
  // or, when that window has gone, into Text1.
  void FadeWhereYouType();

  // The add-on's own chat lines (the advertisement), in their turn among the Sends.
  void Announce(std::vector<std::string> lines);
  // Exit: what is still waiting is delivered no more, and no request is taken from now on, so
  // the closing lines are the last the host hears. The lines the fade key took wait to be given
  // back.
  void Close();
  // The lines the fade key took that were still waiting, back where they were typed; called
  // once the closing lines are out, before the program ends.
  void GiveBackTakenLines();

  // The message a Send would compose from the window as it is now, without the Randomize that
  // "&Random" runs first: the style prefix and the colour body.
  std::string Message();

  // Requests waiting behind the one being delivered.
  std::size_t waiting() const { return queue_.size(); }

 private:
  // The request: what Send would deliver now, and where.
  Delivery Compose();
  // The message of `line` as a Send composes it now: the style prefix, then (after Randomize
  // when "&Random" is ticked) the colour body.
  std::string ComposeMessage(std::string_view line);
  // The style prefix of `styles`, then the colour body of `line` from the panel as it is now.
  std::string MessageOf(std::string_view line, Styles styles);
  // A chat message's lines: between its banners when Attention is ticked.
  void SetChatLines(Delivery& delivery, std::string message);
  Styles ReadStyles();

  // The queue: a request joins it; the request made while none is being delivered delivers the
  // queue, including what joins it meanwhile, until it is empty. What delivers nothing takes
  // effect at once.
  void Submit(Delivery delivery);

  // The delivery of one request, then what the window shows of it.
  DeliveryStatus Deliver(const Delivery& delivery);
  DeliveryStatus DeliverToChat(const Delivery& delivery);
  DeliveryStatus DeliverInPlace(const Delivery& delivery);
  // The user's own words in the host's `box` now (blanks are none).
  bool TypedOnIn(platform::WindowHandle box);
  // A line the fade key took, back in its box, or in Text1 when the box is gone or the host does
  // not take it; returns `status`, or the status that says where the line is now.
  DeliveryStatus ReturnLine(const Delivery& delivery, DeliveryStatus status);
  // Into Text1, after a line break when it holds text.
  void KeepInTypedLine(std::string_view line);
  void Finish(const Delivery& delivery, DeliveryStatus status);

  bool Ending() { return platform_.events.IsEnding(); }

  SendWindow& window_;
  SendState& state_;
  platform::Platform platform_;
  std::deque<Delivery> queue_;
  std::vector<Delivery> taken_;  // the fade key's lines that Close took off the queue
  // The add-on's last chat line handed to the host's box and not seen posted: on its way now,
  // waiting there for its Enter, or left there by a host that stopped answering.
  std::string ownLine_;
  bool delivering_ = false;
  bool closed_ = false;
};

}  // namespace vfx::composer
