#include "tests/ui/send_schedule.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "composer/compose.h"
#include "host/host.h"
#include "tests/support/fake_backend.h"
#include "tests/support/fake_clipboard.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_events.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_settings_file.h"
#include "tests/ui/fakes.h"
#include "ui/main_window.h"
#include "ui/splash.h"

namespace vfx::ui::schedule {
namespace {

enum class Action {
  kSend,
  kViewHtml,
  kImSend,      // "IM Send"
  kSendToRoom,  // "Send to Room "
  kFrameSend,   // the frame's "Send"
  kRandomize,
  kAdvertise,
  kSelfTest,
  kAttention,
  kClearText,
  kType,
  kRecipient,
  kColourCount,
  kFadeKey,      // the fade key, pressed while the host is in front
  kTypeInHost,   // the user types a line into the chat room's own box
  kEnterInHost,  // ... presses Enter there
  kClearInHost,  // ... empties it
  kTypeAndFade,  // ... types a line there and presses the fade key, as the key is mostly used
  // Only in schedules with a troubled host:
  kTrouble,    // the host stops or starts answering, or a mail window comes in front or goes
  kCloseRoom,  // the user closes the chat room and enters it again
  kImInHost,   // the user opens an instant message window in front and types in it
  kExit,
  kClose,  // the window's close box: no closing lines
};
constexpr int kCommonActions = static_cast<int>(Action::kImInHost) + 1;
constexpr const char* kActionNames[] = {"Send",         "View HTML",      "IM Send",
                                        "Send to Room", "frame's Send",   "Randomize",
                                        "Advertise",    "Self Test",      "Attention",
                                        "Clear Text",   "type a line",    "type a recipient",
                                        "colours",      "fade key",       "type in the host",
                                        "Enter there",  "clear it",       "type and fade",
                                        "trouble",      "close the room", "an instant message",
                                        "Exit",         "close"};

// The add-on's own lines carry colours it draws itself: they are known by their text, with the
// colour tags taken out.
constexpr std::string_view kAdvertiseFirst = "<advertise 1>", kAdvertiseSecond = "<advertise 2>";
constexpr std::string_view kNameText = "\u00AB(v^v\u2022\u2022\u2022Vontra \u0192X \u00DFy: Zarnok";
constexpr std::string_view kCopyText =
    "\u00AB(v^v\u2022\u2022\u2022Get Your Copy @: \u00AB(v^v\u2022\u2022\u2022";
constexpr std::string_view kUnloadedText =
    "\u00AB(v^v\u2022\u2022\u2022Un\u00A3\u00F8aded by:    Bob";

constexpr int kDeepest = 4;           // clicks inside clicks inside ...
constexpr int kMostPasses = 200'000;  // event passes one top-level click may take

std::string WithoutTags(std::string_view line) {
  std::string text;
  bool inTag = false;
  for (char c : line) {
    if (c == '<') inTag = true;
    if (!inTag) text += c;
    if (c == '>') inTag = false;
  }
  return text;
}

std::string Chat(std::string_view line) { return "chat|" + std::string(line); }

// The text of a chat line the host heard, colour tags taken out; empty for anything else.
std::string ChatText(std::string_view heard) {
  return heard.starts_with("chat|") ? WithoutTags(heard.substr(5)) : std::string();
}

// What the user types in the host's own boxes: "host line N.", so that no line begins another.
constexpr std::string_view kHostLine = "host line ";

// A line the fade key took, faded: known by its text, since its colours are drawn at the key.
constexpr std::string_view kInPlace = "in place|";

// The text of a faded line the host heard from the add-on (chat or instant message), tags taken
// out; empty for the user's own plain lines and anything else.
std::string FadedText(std::string_view heard) {
  std::string_view markup;
  if (heard.starts_with("chat|")) {
    markup = heard.substr(5);
  } else if (heard.starts_with("im|")) {
    const std::size_t bar = heard.find('|', 3);
    markup = bar == std::string_view::npos ? std::string_view() : heard.substr(bar + 1);
  }
  if (markup.find("<FONT COLOR") == std::string_view::npos) return {};
  // Over three colours or more a short line ends in faded pad spaces; the user's lines end
  // in a full stop.
  std::string text = WithoutTags(markup);
  while (text.ends_with(' ')) text.pop_back();
  return text;
}

bool Matches(const std::string& heard, std::string_view expected) {
  if (expected == kAdvertiseFirst) return ChatText(heard) == kNameText;
  if (expected == kAdvertiseSecond) return ChatText(heard).starts_with(kCopyText);
  if (expected.starts_with(kInPlace)) return FadedText(heard) == expected.substr(kInPlace.size());
  return heard == expected;
}

class Schedule {
 public:
  explicit Schedule(Choices& choices) : choices_(choices) {}

  std::string Run() {
    std::mt19937 draws(static_cast<unsigned>(choices_.Next(1 << 16)));
    splash_.random.component = [draws]() mutable { return static_cast<int>(draws() % 255); };
    splash_.random.reseed = [] {};
    backend_.onEvent = [this](const testing::PeerEvent& event) { Observe(event); };
    desktop_.onSend = [this](const testing::SentMessage& message) { Watch(message); };
    splash_.form().realize(backend_);
    splash_.form().show();
    splash_.Image1().click();
    if (!splash_.main_window()) return "the main window did not load";
    heardBefore_ = host_.heard.size();
    desktop_.foreground = host_.frame;

    troubled_ = choices_.Next(4) == 0;
    actionsLeft_ = 4 + choices_.Next(12);
    events_.onProcess = [this] {
      if (actionsLeft_ <= 0 || depth_ >= kDeepest || choices_.Next(3) != 0) return;
      --actionsLeft_;
      Act(Pick());
    };
    while (actionsLeft_ > 0 && !events_.IsEnding() && violation_.empty()) {
      --actionsLeft_;
      const int passes = events_.processCount;
      Act(Pick());
      // The message loop between two clicks: what is pending, then a moment of quiet.
      events_.ProcessPendingEvents();
      events_.WaitForEvents(events_.Now() + 0.05 * choices_.Next(20));
      if (events_.processCount - passes > kMostPasses)
        Fail("a click kept the add-on busy for " + std::to_string(events_.processCount - passes) +
             " event passes");
    }
    events_.onProcess = nullptr;
    desktop_.onSend = nullptr;
    if (violation_.empty()) CheckWhatTheHostHeard();
    if (violation_.empty()) CheckTheTakenLines();
    return violation_;
  }

 private:
  ZiruZezuzo& Main() { return *splash_.main_window(); }

  Action Pick() {
    const int roll = choices_.Next(40);
    if (roll == 0) return Action::kExit;
    if (roll == 1) return Action::kClose;
    const auto action = static_cast<Action>(roll % kCommonActions);
    return action >= Action::kTrouble && !troubled_ ? Action::kType : action;
  }

  void Act(Action action) {
    if (events_.IsEnding()) return;  // the window is gone: nothing to click
    ZiruZezuzo& window = Main();
    trace_ += "\n  " + std::string(2 * depth_, ' ') + kActionNames[static_cast<int>(action)] +
              " at " + std::to_string(events_.Now() - 1000);
    ++depth_;
    switch (action) {
      case Action::kSend:
        Expect(false, false);
        window.Command(ids::kSend).click();
        break;
      case Action::kViewHtml: {
        const bool open = !closed_;
        if (open) latestView_ = Composed();
        Expect(true, false);
        window.Command(ids::kViewHtml).click();
        // The view is there at once, and stays until a later View HTML (clicked inside this
        // one's delivery, in instant-message mode) replaces it.
        if (open && !events_.IsEnding() &&
            !window.Text(ids::kHtmlWriter).text().starts_with(latestView_))
          Fail("View HTML did not show the message composed at its click");
        break;
      }
      case Action::kImSend:
        window.Option(ids::kImSend).click();
        break;
      case Action::kSendToRoom:
        window.Option(ids::kSendToRoom).click();
        break;
      case Action::kFrameSend:
        Expect(false, true);
        window.Command(ids::kFrameSend).click();
        break;
      case Action::kRandomize:
        window.Command(ids::kRandomize).click();
        break;
      case Action::kAdvertise:
        if (!closed_)
          requests_.push_back({{std::string(kAdvertiseFirst), std::string(kAdvertiseSecond)}});
        window.Command(ids::kAdvertise).click();
        break;
      case Action::kSelfTest:
        ++selfTests_;
        window.Command(ids::kSelfTest).click();
        --selfTests_;
        break;
      case Action::kAttention:
        window.Check(ids::kAttention).toggle();
        break;
      case Action::kClearText:
        window.Check(ids::kClearText).toggle();
        break;
      case Action::kType:
        window.Text(ids::kMessageBox).set_text("line " + std::to_string(++linesTyped_));
        break;
      case Action::kRecipient:
        window.Text(ids::kRecipient).set_text(choices_.Next(2) == 0 ? "Ann" : "To Whom?");
        break;
      case Action::kColourCount:
        window.Option(1 + choices_.Next(10)).click();
        break;
      case Action::kFadeKey:
        if (!backend_.hotKeys.empty())
          window.form().native_hot_key(backend_.hotKeys.begin()->first);
        break;
      // Keys between the add-on's text and its Enter would go into the add-on's own line, as they
      // would in a real chat box: beyond what the add-on can keep whole.
      case Action::kTypeInHost:
        if (!AddOnLineInTheBox()) desktop_.Type(host_.input, NextHostLine());
        break;
      case Action::kEnterInHost:
        if (!AddOnLineInTheBox()) {
          const std::size_t before = host_.heard.size();
          desktop_.SendMessageA(host_.input, platform::message::kChar, 13, std::intptr_t{0});
          desktop_.sent.pop_back();  // the user's key, not the add-on's
          for (std::size_t n = before; n < host_.heard.size(); ++n) usersOwn_.insert(n);
        }
        break;
      case Action::kClearInHost:
        if (!AddOnLineInTheBox()) desktop_.Type(host_.input, "");
        break;
      case Action::kTypeAndFade:
        if (!AddOnLineInTheBox()) desktop_.Type(host_.input, NextHostLine());
        if (!backend_.hotKeys.empty())
          window.form().native_hot_key(backend_.hotKeys.begin()->first);
        break;
      case Action::kTrouble:
        if (!closed_) ToggleTrouble();
        break;
      case Action::kCloseRoom:
        desktop_.Destroy(host_.chatRoom);
        host_.ReopenChatRoom();
        hung_ = false;
        break;
      case Action::kImInHost: {
        const platform::WindowHandle im = host_.OpenInstantMessageWindow();
        desktop_.BringToTop(im);
        const std::vector<platform::WindowHandle> boxes = desktop_.Children(im);
        desktop_.Type(boxes.at(0), choices_.Next(2) == 0 ? "Ann" : "Nobody Here");
        desktop_.Type(boxes.at(1), NextHostLine());
        break;
      }
      case Action::kExit:
        if (!closed_) {
          exited_ = true;
          // The host brings its chat room in front when it opens a window: ask it, not the
          // trouble made.
          troubleAtExit_ = host::FindChatRoom(desktop_) == platform::kNoWindow || hung_;
        }
        closed_ = true;
        window.Command(ids::kExit).click();
        break;
      case Action::kClose:
        closed_ = true;
        windowClosed_ = true;
        window.form().native_close_requested();
        break;
    }
    --depth_;
  }

  void ToggleTrouble() {
    if (choices_.Next(2) == 0) {
      if (mail_ != platform::kNoWindow) {
        desktop_.Destroy(mail_);
        mail_ = platform::kNoWindow;
      } else {
        mail_ = host_.OpenDocumentInFront();  // no chat room in front
      }
    } else {
      hung_ = !hung_;
      desktop_.Hang(host_.input, hung_);
    }
  }

  // What Send composes from the window as it stands.
  std::string Composed() {
    ZiruZezuzo& window = Main();
    const auto ticked = [&](int n) { return window.Check(n).value() == 1; };
    return composer::StylePrefix({ticked(1), ticked(2), ticked(3), ticked(4)}) +
           composer::ComposeBody(window.Text(ids::kMessageBox).text(), window.SelectedColourCount(),
                                 window.Colours(), ticked(5));
  }

  // The lines a Send made now must bring to the host: an instant message whenever
  // instant-message mode is on, else the chat line (between banners with Attention ticked),
  // and nothing for View HTML outside instant-message mode.
  void Expect(bool viewHtml, bool instantMessage) {
    if (closed_ || events_.IsEnding()) return;
    ZiruZezuzo& window = Main();
    const std::string message = Composed();
    const std::string& typed = window.Text(ids::kMessageBox).text();
    composedFrom_[typed].insert(message);
    const bool delivers = instantMessage || window.sendState.ImMode || !viewHtml;
    if (instantMessage || window.sendState.ImMode) {
      requests_.push_back({{"im|" + window.Text(ids::kRecipient).text() + "|" + message}});
    } else if (!viewHtml) {
      requests_.push_back({ChatLines(message)});
    }
    // A line the key gave back into Text1 is the user's to send again.
    if (delivers && typed.starts_with(kHostLine)) ++sends_[typed];
  }

  // Whether the box holds a line the add-on put there (a Send's, even an empty one) and has not
  // yet pressed Enter on; the user's own lines it only gives back.
  bool AddOnLineInTheBox() const {
    for (auto at = desktop_.sent.rbegin(); at != desktop_.sent.rend(); ++at)
      if (at->window == host_.input && at->message != 0x000D)  // WM_GETTEXT only reads
        return at->message == platform::message::kSetText && !at->text.starts_with("host line");
    return false;
  }

  std::vector<std::string> ChatLines(const std::string& message) {
    const std::string banner = Chat(composer::AttentionBanner());
    if (Main().Check(ids::kAttention).value() == 1) return {banner, Chat(message), banner};
    return {Chat(message)};
  }

  std::string NextHostLine() {
    return std::string(kHostLine) + std::to_string(++hostLinesTyped_) + ".";
  }

  void Observe(const testing::PeerEvent& event) {
    if (!splash_.main_window() || event.property != toolkit::Property::kCaption) return;
    if (event.control == "ZiruZezuzo") {
      // The Self Test's step before its Send (not a delivery status taken down from it).
      const std::string caption = Main().form().caption();
      if (caption == kSelfTestCaptions[4] && !caption_.starts_with(caption + " - "))
        Expect(false, false);
      caption_ = caption;
    } else if (event.control == "Text1") {
      TypedLineChanged();
    }
  }

  // Nothing empties the typed line but Clear Text once its message is out, and the Self Test's
  // reset: the schedule never types an empty line. A line the fade key took may come back here.
  void TypedLineChanged() {
    const std::string now = Main().Text(ids::kMessageBox).text();
    if (now.starts_with(typedLine_) && now.size() > typedLine_.size()) {
      std::string_view added = std::string_view(now).substr(typedLine_.size());
      if (!typedLine_.empty() && added.starts_with("\r\n")) added.remove_prefix(2);
      if (added.starts_with(kHostLine)) GivenBack(std::string(added));
    }
    // A running Self Test empties it in its first step (which may come late, after a Self Test
    // clicked inside it has run its course).
    const bool selfTestReset = selfTests_ > 0;
    if (now.empty() && !typedLine_.empty() && !selfTestReset) {
      bool arrived = false;
      for (const std::string& message : composedFrom_[typedLine_])
        arrived = arrived || Heard(message);
      if (!arrived) Fail("\"" + typedLine_ + "\" was emptied before a message of it arrived");
    }
    typedLine_ = now;
  }

  // The user's own text taken out of a box of the host, or put back into one.
  void Watch(const testing::SentMessage& message) {
    if (!message.wide || message.message != platform::message::kSetText ||
        !desktop_.Exists(message.window) || desktop_.IsHung(message.window))
      return;
    const std::string before = desktop_.Text(message.window);
    if (message.text.empty()) {
      if (!before.starts_with(kHostLine)) return;
      ++takes_[before];
      open_.push_back(before);
      // Composed at once, with the boxes as they are now: in its turn among the Sends.
      const std::string faded = std::string(kInPlace) + before;
      std::vector<std::string> lines{faded};
      if (message.window == host_.input && Main().Check(ids::kAttention).value() == 1) {
        const std::string banner = Chat(composer::AttentionBanner());
        lines = {banner, faded, banner};
      }
      requests_.push_back({std::move(lines), true});
    } else if (message.text != before) {
      GivenBack(message.text);
    }
  }

  // The lines the key took that `text` begins with, one after another, as the lines of one box
  // go back together in front of what the user typed since; the longest first at each step.
  void GivenBack(std::string_view text) {
    bool found = false;
    for (;;) {
      auto best = open_.end();
      for (auto at = open_.begin(); at != open_.end(); ++at)
        if ((text == *at || text.starts_with(*at + " ")) &&
            (best == open_.end() || at->size() > best->size()))
          best = at;
      if (best == open_.end()) break;
      found = true;
      ++returns_[*best];
      text.remove_prefix(std::min(text.size(), best->size() + 1));
      open_.erase(best);
    }
    if (!found && !troubled_)
      Fail("\"" + std::string(text) + "\" was given back, but the key never took it");
  }

  // Every line the fade key took was posted once or given back once; with a host in trouble a
  // line may be both (it took the markup, then fell silent), but it is never posted twice nor
  // lost.
  void CheckTheTakenLines() {
    std::map<std::string, int> posts;
    for (std::size_t n = heardBefore_; n < host_.heard.size(); ++n) {
      if (usersOwn_.contains(n)) continue;
      const std::string text = FadedText(host_.heard[n]);
      if (text.starts_with(kHostLine)) ++posts[text];
    }
    std::set<std::string> lines;
    for (const auto& [line, count] : takes_) lines.insert(line);
    for (const auto& [line, count] : posts) lines.insert(line);
    for (const std::string& line : lines) {
      const int taken = takes_[line], posted = posts[line], back = returns_[line];
      const int sent = sends_[line];  // by Sends of Text1, after the key gave it back there
      const std::string counts = "\"" + line + "\" taken " + std::to_string(taken) +
                                 " times, posted " + std::to_string(posted) + ", given back " +
                                 std::to_string(back) + ", sent from Text1 " + std::to_string(sent);
      if (posted > taken + sent) return Fail(counts);
      if (troubled_ ? posted + back < taken : posted - sent + back != taken) return Fail(counts);
    }
  }

  bool Heard(const std::string& message) const {
    for (std::size_t n = heardBefore_; n < host_.heard.size(); ++n) {
      const std::string& heard = host_.heard[n];
      if (heard == Chat(message) || (heard.starts_with("im|") && heard.ends_with("|" + message)))
        return true;
    }
    return false;
  }

  void CheckWhatTheHostHeard() {
    std::vector<std::string> heard;
    for (std::size_t n = heardBefore_; n < host_.heard.size(); ++n)
      if (!usersOwn_.contains(n)) heard.push_back(host_.heard[n]);
    // Exit's closing lines come last: both when the host could take them, none when it had
    // trouble, and what went out before the window was closed in the middle of Exit. Trouble
    // that comes and goes during Exit's pause may leave either line alone.
    using Closing = std::vector<std::string_view>;
    std::vector<Closing> endings = {{}};
    if (exited_ && (troubled_ || !troubleAtExit_)) {
      endings = {{kNameText, kUnloadedText}};
      if (windowClosed_ || troubled_) endings.push_back({kNameText});
      if (troubled_) endings.push_back({kUnloadedText});
      if (windowClosed_ || troubled_) endings.push_back({});
    }
    for (const Closing& ending : endings)
      if (PartsFrom(heard, ending)) return;
    Fail("the host heard " + Describe(heard));
  }

  // Whether `heard` is the requests followed by the `closing` lines of Exit.
  bool PartsFrom(std::vector<std::string> heard, const std::vector<std::string_view>& closing) {
    if (heard.size() < closing.size()) return false;
    const std::size_t first = heard.size() - closing.size();
    for (std::size_t n = 0; n < closing.size(); ++n)
      if (ChatText(heard[first + n]) != closing[n]) return false;
    heard.resize(first);
    memo_.assign((requests_.size() + 1) * (heard.size() + 1) * 2, kUnknown);
    return Parse(heard, 0, 0, false);
  }

  // Whether `heard` from `j` on is the requests from `i` on, in order: each whole, or, with a
  // troubled host, cut short or missing; once the program ends, the request under way may stop
  // short and the later ones are dropped.
  bool Parse(const std::vector<std::string>& heard, std::size_t i, std::size_t j, bool cut) {
    if (i == requests_.size()) return j == heard.size();
    char& known = memo_[((i * (heard.size() + 1)) + j) * 2 + (cut ? 1 : 0)];
    if (known != kUnknown) return known == kYes;
    const std::vector<std::string>& lines = requests_[i].lines;
    const bool ended = exited_ || windowClosed_;
    bool parses = false;
    for (std::size_t count = 0; count <= lines.size() && !parses; ++count) {
      if (count > 0 &&
          (j + count > heard.size() || !Matches(heard[j + count - 1], lines[count - 1])))
        break;
      const bool whole = count == lines.size();
      // A fade key's line the user typed on in before its turn is left out, and one whose box
      // the user typed in between its banners stops there; the rest go on.
      const bool leftOut = requests_[i].optional;
      if (cut && count > 0) break;  // after the end, nothing more
      if (!whole && !leftOut && !cut && !troubled_ && !ended) continue;
      const bool cutsHere = !whole && !leftOut && !troubled_;
      parses = Parse(heard, i + 1, j + count, cut || cutsHere);
    }
    known = parses ? kYes : kNo;
    return parses;
  }

  std::string Describe(const std::vector<std::string>& heard) const {
    std::string text = std::to_string(heard.size()) + " lines, where " +
                       std::to_string(requests_.size()) + " requests were made:";
    for (const std::string& line : heard) text += "\n  heard    " + line.substr(0, 60);
    for (const Request& request : requests_)
      for (const std::string& line : request.lines)
        text += "\n  expected " + line.substr(0, 60) + (request.optional ? " (or none)" : "");
    return text;
  }

  void Fail(std::string what) {
    if (violation_.empty()) violation_ = std::move(what) + "\nafter the clicks:" + trace_;
  }

  static constexpr char kUnknown = 0, kYes = 1, kNo = 2;

  Choices& choices_;
  testing::FakeDesktop desktop_;
  testing::FakeHost host_{desktop_, {.keepsChatRoomInFront = true}};
  testing::FakeEventPump events_;
  testing::FakeDialogs dialogs_;
  testing::FakeFonts fonts_;
  testing::FakeBackend backend_{desktop_};
  testing::FakeSettingsFile settingsFile_;
  testing::FakeClipboard clipboard_;
  Form1 splash_{{{desktop_, events_}, dialogs_, fonts_, settingsFile_, clipboard_}, backend_};

  bool troubled_ = false;
  int actionsLeft_ = 0, depth_ = 0, selfTests_ = 0, linesTyped_ = 0, hostLinesTyped_ = 0;
  // The fade key's lines, by their text: taken, given back; and the ones not yet back.
  std::map<std::string, int> takes_, returns_, sends_;
  std::vector<std::string> open_;
  std::set<std::size_t> usersOwn_;  // what the host heard from the user's own Enter
  platform::WindowHandle mail_ = platform::kNoWindow;
  bool hung_ = false;
  bool closed_ = false, exited_ = false, troubleAtExit_ = false, windowClosed_ = false;

  std::size_t heardBefore_ = 0;
  struct Request {
    std::vector<std::string> lines;
    bool optional = false;  // may be left out altogether: the fade key's, given back instead
  };
  std::vector<Request> requests_;
  std::map<std::string, std::set<std::string>> composedFrom_;
  std::string caption_, typedLine_, latestView_;
  std::vector<char> memo_;
  std::string violation_;
  std::string trace_;  // the clicks, indented by how deep inside other clicks they came
};

}  // namespace

std::string RunSchedule(Choices& choices) { return Schedule(choices).Run(); }

}  // namespace vfx::ui::schedule
