#include "substitute-host/options.h"

#include <charconv>
#include <functional>
#include <map>

namespace vfx::subhost {

const char kUsage[] =
    "usage: substitute-host.exe [options]\n"
    "  --member NAME           the signed-on member (default Zarnok2)\n"
    "  --buddies A,B,...       buddies who are signed on (default Qelvar,JunoBee7,Pike Marlow;\n"
    "                          an empty list means nobody)\n"
    "  --room-members A,B,...  the others in the chat room\n"
    "  --room NAME             the chat room's caption (default Town Square - Lobby 17)\n"
    "  --buddy-list-open       open the Buddy List Window at start\n"
    "  --front chat|other      the frontmost document window (default chat; other puts the\n"
    "                          welcome window in front of the chat room)\n"
    "  --frame-caption TEXT    the main frame's caption (default \"America  Online\")\n"
    "  --open-delay-ms N       wait N ms before opening the Keyword, Buddy List and Instant\n"
    "                          Message windows\n"
    "  --never-open W          W = keyword|buddylist|im: that window never opens (repeatable)\n"
    "  --notice-delay-ms N     wait N ms before showing a refusal notice\n"
    "  --set-text-delay-ms N   take N ms over every text another program puts into a box\n"
    "  --enter-delay-ms N      take N ms over every Enter another program presses in a box\n"
    "  --hang-after-ms N       the window thread stops answering N ms after start\n"
    "  --hang-on E             E = chat|keyword|im|click: the window thread stops answering\n"
    "                          while handling that event, after logging it (repeatable)\n"
    "  --log FILE              write one JSON line per event to FILE\n"
    "  --help                  show this text\n";

namespace {

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (!text.empty()) {
    const std::size_t comma = text.find(',', start);
    std::string item = text.substr(start, comma - start);
    item.erase(0, item.find_first_not_of(' '));
    item.erase(item.find_last_not_of(' ') + 1);
    if (!item.empty()) items.push_back(item);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

std::optional<int> ParseMilliseconds(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || value < 0) return std::nullopt;
  return value;
}

template <typename T>
std::optional<T> Lookup(const std::map<std::string, T>& names, const std::string& text) {
  const auto found = names.find(text);
  if (found == names.end()) return std::nullopt;
  return found->second;
}

const std::map<std::string, HostWindow> kWindowNames = {{"keyword", HostWindow::kKeyword},
                                                        {"buddylist", HostWindow::kBuddyList},
                                                        {"im", HostWindow::kInstantMessage}};
const std::map<std::string, HangPoint> kHangNames = {{"chat", HangPoint::kChat},
                                                     {"keyword", HangPoint::kKeyword},
                                                     {"im", HangPoint::kInstantMessage},
                                                     {"click", HangPoint::kClick}};

// Applies one option with a value; false when the value is not one the option takes.
using ValueSetter = std::function<bool(Options&, const std::string&)>;

bool SetMilliseconds(int& target, const std::string& text) {
  const auto value = ParseMilliseconds(text);
  if (value) target = *value;
  return value.has_value();
}

const std::map<std::string, ValueSetter>& ValueOptions() {
  static const std::map<std::string, ValueSetter> options = {
      {"--member", [](Options& o, const std::string& v) { return !(o.member = v).empty(); }},
      {"--buddies",
       [](Options& o, const std::string& v) { return o.buddiesOnline = SplitList(v), true; }},
      {"--room-members",
       [](Options& o, const std::string& v) { return o.roomMembers = SplitList(v), true; }},
      {"--room", [](Options& o, const std::string& v) { return !(o.room = v).empty(); }},
      {"--front",
       [](Options& o, const std::string& v) {
         o.chatInFront = v == "chat";
         return v == "chat" || v == "other";
       }},
      {"--frame-caption",
       [](Options& o, const std::string& v) { return o.frameCaption = v, true; }},
      {"--open-delay-ms",
       [](Options& o, const std::string& v) { return SetMilliseconds(o.openDelayMs, v); }},
      {"--notice-delay-ms",
       [](Options& o, const std::string& v) { return SetMilliseconds(o.noticeDelayMs, v); }},
      {"--set-text-delay-ms",
       [](Options& o, const std::string& v) { return SetMilliseconds(o.setTextDelayMs, v); }},
      {"--enter-delay-ms",
       [](Options& o, const std::string& v) { return SetMilliseconds(o.enterDelayMs, v); }},
      {"--never-open",
       [](Options& o, const std::string& v) {
         const auto window = Lookup(kWindowNames, v);
         if (window) o.neverOpen.insert(*window);
         return window.has_value();
       }},
      {"--hang-after-ms",
       [](Options& o, const std::string& v) {
         o.hangAfterMs = ParseMilliseconds(v);
         return o.hangAfterMs.has_value();
       }},
      {"--hang-on",
       [](Options& o, const std::string& v) {
         const auto point = Lookup(kHangNames, v);
         if (point) o.hangOn.insert(*point);
         return point.has_value();
       }},
      {"--log", [](Options& o, const std::string& v) { return !(o.logFile = v).empty(); }},
  };
  return options;
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  Options& options = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h" || name == "/?") {
      options.help = true;
    } else if (name == "--buddy-list-open") {
      options.buddyListOpen = true;
    } else if (const auto setter = ValueOptions().find(name); setter != ValueOptions().end()) {
      if (i + 1 >= arguments.size()) return {options, name + " needs a value"};
      const std::string& value = arguments[++i];
      if (!setter->second(options, value)) return {options, name + ": bad value \"" + value + "\""};
    } else {
      return {options, "unknown option \"" + name + "\""};
    }
  }
  return parsed;
}

}  // namespace vfx::subhost
