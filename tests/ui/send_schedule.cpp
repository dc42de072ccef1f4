#include "tests/ui/send_schedule.h"

#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "composer/compose.h"
#include "host/host.h"
#include "tests/support/fake_backend.h"
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
  kFadeKey,     // the fade key, pressed while the host is in front
  kTypeInHost,  // the user types a line into the chat room's own box
  kTrouble,     // the host stops or starts failing: only in schedules with a troubled host
  kExit,
  kClose,  // the window's close box: no closing lines
};
constexpr int kCommonActions = static_cast<int>(Action::kTrouble) + 1;
constexpr const char* kActionNames[] = {"Send",         "View HTML",    "IM Send",
                                        "Send to Room", "frame's Send", "Randomize",
                                        "Advertise",    "Self Test",    "Attention",
                                        "Clear Text",   "type a line",  "type a recipient",
                                        "colours",      "fade key",     "type in the host",
                                        "trouble",      "Exit",         "close"};

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

bool Matches(const std::string& heard, std::string_view expected) {
  if (expected == kAdvertiseFirst) return ChatText(heard) == kNameText;
  if (expected == kAdvertiseSecond) return ChatText(heard).starts_with(kCopyText);
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
    if (violation_.empty()) CheckWhatTheHostHeard();
    return violation_;
  }

 private:
  ZiruZezuzo& Main() { return *splash_.main_window(); }

  Action Pick() {
    const int roll = choices_.Next(40);
    if (roll == 0) return Action::kExit;
    if (roll == 1) return Action::kClose;
    const auto action = static_cast<Action>(roll % kCommonActions);
    return action == Action::kTrouble && !troubled_ ? Action::kType : action;
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
        ExpectFadeKey();
        if (!backend_.hotKeys.empty())
          window.form().native_hot_key(backend_.hotKeys.begin()->first);
        break;
      case Action::kTypeInHost:
        // Keys between the add-on's text and its Enter would go into the add-on's own line, as
        // they would in a real chat box: beyond what the add-on can keep whole.
        if (AddOnLineInTheBox()) break;
        desktop_.Type(host_.input, "host line " + std::to_string(++hostLinesTyped_));
        // A line the key read before is faded only while the box still holds it.
        for (Request& request : requests_) request.optional = request.optional || request.inPlace;
        break;
      case Action::kTrouble:
        if (!closed_) ToggleTrouble();
        break;
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
    composedFrom_[window.Text(ids::kMessageBox).text()].insert(message);
    if (instantMessage || window.sendState.ImMode) {
      requests_.push_back({{"im|" + window.Text(ids::kRecipient).text() + "|" + message}});
    } else if (!viewHtml) {
      requests_.push_back({ChatLines(message)});
    }
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

  // The key acts when the host's chat room is its active window and its box answers and holds
  // a line that is not faded already; then the line goes into that room, composed at the key.
  void ExpectFadeKey() {
    if (closed_ || events_.IsEnding()) return;
    const std::vector<platform::WindowHandle> documents = desktop_.Children(host_.documents);
    const std::string typed = desktop_.Text(host_.input);
    const bool blank = typed.find_first_not_of(' ') == std::string::npos;
    if (documents.empty() || documents.front() != host_.chatRoom || hung_ || blank ||
        typed.find("<FONT COLOR") != std::string::npos)
      return;
    ZiruZezuzo& window = Main();
    const auto ticked = [&](int n) { return window.Check(n).value() == 1; };
    const std::string message =
        composer::StylePrefix({ticked(1), ticked(2), ticked(3), ticked(4)}) +
        composer::ComposeBody(typed, window.SelectedColourCount(), window.Colours(), ticked(5),
                              window.blend());
    requests_.push_back({ChatLines(message), false, true});
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
  // reset: the schedule never types an empty line.
  void TypedLineChanged() {
    const std::string now = Main().Text(ids::kMessageBox).text();
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

  bool Heard(const std::string& message) const {
    for (std::size_t n = heardBefore_; n < host_.heard.size(); ++n) {
      const std::string& heard = host_.heard[n];
      if (heard == Chat(message) || (heard.starts_with("im|") && heard.ends_with("|" + message)))
        return true;
    }
    return false;
  }

  void CheckWhatTheHostHeard() {
    const std::vector<std::string> heard(
        host_.heard.begin() + static_cast<std::ptrdiff_t>(heardBefore_), host_.heard.end());
    // Exit's closing lines come last: both when the host could take them, none when it had
    // trouble, and what went out before the window was closed in the middle of Exit.
    const std::size_t closing = exited_ && !troubleAtExit_ ? 2 : 0;
    const std::size_t fewest = windowClosed_ ? 0 : closing;
    for (std::size_t lines = fewest; lines <= closing; ++lines)
      if (PartsFrom(heard, lines)) return;
    Fail("the host heard " + Describe(heard));
  }

  // Whether `heard` is the requests followed by the first `closing` lines of Exit.
  bool PartsFrom(std::vector<std::string> heard, std::size_t closing) {
    const std::string_view closingTexts[] = {kNameText, kUnloadedText};
    if (heard.size() < closing) return false;
    for (std::size_t n = 0; n < closing; ++n)
      if (ChatText(heard[heard.size() - closing + n]) != closingTexts[n]) return false;
    heard.resize(heard.size() - closing);
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
      // A line the user typed on in before its turn is left out, and the rest go on.
      const bool leftOut = count == 0 && requests_[i].optional;
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
  Form1 splash_{{{desktop_, events_}, dialogs_, fonts_, settingsFile_}, backend_};

  bool troubled_ = false;
  int actionsLeft_ = 0, depth_ = 0, selfTests_ = 0, linesTyped_ = 0, hostLinesTyped_ = 0;
  platform::WindowHandle mail_ = platform::kNoWindow;
  bool hung_ = false;
  bool closed_ = false, exited_ = false, troubleAtExit_ = false, windowClosed_ = false;

  std::size_t heardBefore_ = 0;
  struct Request {
    std::vector<std::string> lines;
    bool optional = false;  // may be left out altogether
    bool inPlace = false;   // the fade key's
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
