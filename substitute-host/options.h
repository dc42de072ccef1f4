// The substitute host's command line. Portable: it is parsed before any window exists.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vfx::subhost {

// Windows of the host that can be told never to open, and events the window thread can hang on.
enum class HostWindow { kKeyword, kBuddyList, kInstantMessage };
enum class HangPoint { kChat, kKeyword, kInstantMessage, kClick };

struct Options {
  std::string member = "Zarnok2";
  std::vector<std::string> buddiesOnline = {"Qelvar", "JunoBee7", "Pike Marlow"};
  std::vector<std::string> roomMembers = {"Qelvar", "MistyRae22", "Tobin Hollis", "Sk8rGrl1999",
                                          "OldSalt"};
  std::string room = "Town Square - Lobby 17";
  std::string frameCaption = "America  Online";
  bool buddyListOpen = false;
  bool chatInFront = true;
  int openDelayMs = 0;
  int noticeDelayMs = 0;
  int setTextDelayMs = 0;
  int enterDelayMs = 0;
  std::set<HostWindow> neverOpen;
  std::optional<int> hangAfterMs;
  std::set<HangPoint> hangOn;
  std::string logFile;
  bool help = false;
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the command line was understood
};

ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

extern const char kUsage[];

}  // namespace vfx::subhost
