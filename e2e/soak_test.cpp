// An evening with the add-on: thousands of Sends through the real vontrafx.exe against the
// stand-in host, the line, colour count, styles, Wavy and Attention changing between them, View
// HTML and instant messages mixed in, Randomize now and then. Every message must arrive once, in
// click order, byte for byte what the window composed; the add-on must answer throughout, and
// its private bytes and handle count must stay flat once it has warmed up.
//
// scripts/test runs a short share of it; the long run:
//   VFX_SOAK_SENDS=5000 scripts/wine-run build/win32/e2e/soak_journey_tests.exe
// VFX_SOAK_SEED=N replays one session.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "composer/compose.h"
#include "e2e/support/journey.h"
#include "platform/win32/text.h"
#include "ui/colour_table.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;

// About forty-five seconds on an idle 2-core machine.
constexpr int kDefaultSends = 200;

int EnvironmentNumber(const char* name, int otherwise) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : otherwise;
}

int Sends() { return std::max(20, EnvironmentNumber("VFX_SOAK_SENDS", kDefaultSends)); }

struct Usage {
  std::size_t privateBytes = 0;
  std::size_t handles = 0;
  std::size_t windows = 0;
};

// SystemExtendedHandleInformation's rows: every handle of every process, with its owner.
struct HandleRow {
  void* object;
  ULONG_PTR processId;
  ULONG_PTR handle;
  ULONG access;
  USHORT creatorBackTraceIndex;
  USHORT typeIndex;
  ULONG attributes;
  ULONG reserved;
};
struct HandleTable {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleRow rows[1];
};

// Wine's GetProcessHandleCount gives 0 for another process, but its system handle table is
// whole: the process's rows are counted there.
std::size_t HandleCount(HANDLE process) {
  DWORD counted = 0;
  if (GetProcessHandleCount(process, &counted) && counted > 0) return counted;
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return 0;
  constexpr ULONG kExtendedHandles = 64;
  std::vector<char> table(1 << 20);
  ULONG size = 0;
  while (query(kExtendedHandles, table.data(), static_cast<ULONG>(table.size()), &size) != 0) {
    if (table.size() >= (64u << 20)) return 0;
    table.resize(table.size() * 2);
  }
  const auto& handles = *reinterpret_cast<const HandleTable*>(table.data());
  const DWORD id = GetProcessId(process);
  std::size_t mine = 0;
  for (ULONG_PTR row = 0; row < handles.count; ++row) mine += handles.rows[row].processId == id;
  return mine;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<std::size_t*>(count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

Usage UsageOf(HANDLE process, HWND window) {
  Usage usage;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  // The commit charge: PrivateUsage on Windows, where PagefileUsage is the same number; Wine
  // fills only PagefileUsage.
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters))
    usage.privateBytes = std::max<std::size_t>(counters.PrivateUsage, counters.PagefileUsage);
  usage.handles = HandleCount(process);
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CountWindow,
                    reinterpret_cast<LPARAM>(&usage.windows));
  return usage;
}

double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
  return values[at];
}

// What the host must hear next: a chat line, or an instant message to `to`.
struct Expected {
  std::string kind;
  std::string to;
  std::string bytes;
  double clicked = 0;  // the click's time, for the one timed line of a plain chat Send
};

class SoakJourney : public Journey {
 protected:
  // The share scripts/test runs takes under a minute; the bound grows with the sends asked for.
  SoakJourney() : Journey(std::max(kCaseSeconds, 0.5 * Sends())) {}

  // A line of 1 to 300 characters, mostly short, in letters, marks the host's markup knows, and
  // characters of the host's code page beyond ASCII.
  std::string Line() {
    static const char* const kPieces[] = {
        "a",  "e", "o",      "t",      "n",      "s",      " ",      " ",     "Z",
        "q",  "7", ".",      ",",      "!",      "?",      "<",      ">",     "&",
        "\"", "'", "\u00E9", "\u00DF", "\u20AC", "\u0192", "\u2022", "\u00AB"};
    const int length = Chance(0.7) ? Draw(1, 60) : Draw(61, 300);
    std::string line;
    for (int i = 0; i < length; ++i) line += kPieces[Draw(0, std::size(kPieces) - 1)];
    return line;
  }

  int Draw(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

  // Waits until the host has heard everything expected, checking each message as it comes.
  void Await() {
    const double deadline = Seconds() + 30;
    while (!expected_.empty()) {
      for (LogEvent& event : tail_->Read()) {
        if (event.kind != "chat" && event.kind != "im-sent") continue;
        const double now = Seconds();
        ASSERT_FALSE(expected_.empty()) << "the host heard a " << event.kind << " no click made";
        const Expected next = expected_.front();
        expected_.pop_front();
        ASSERT_EQ(event.kind, next.kind) << "after " << heard_ << " messages";
        if (next.kind == "im-sent") {
          EXPECT_EQ(event.Field("to"), next.to);
        }
        ASSERT_TRUE(SameBytes(event.Bytes("text"), next.bytes)) << "message " << heard_;
        if (next.clicked > 0) waits_.push_back(now - next.clicked);
        ++heard_;
      }
      if (expected_.empty()) return;
      ASSERT_LT(Seconds(), deadline) << expected_.size() << " messages did not arrive";
      Sleep(2);
    }
  }

  void ExpectChat(const std::string& message, double clicked) {
    if (addOn().IsTicked(ids::kAttention)) {
      const std::string banner = Ansi(composer::AttentionBanner());
      expected_.push_back({"chat", "", banner});
      expected_.push_back({"chat", "", Ansi(message)});
      expected_.push_back({"chat", "", banner});
    } else {
      expected_.push_back({"chat", "", Ansi(message), clicked});
    }
  }

  void ChangeSettings() {
    if (Chance(0.15)) {
      const int count = Draw(1, 10);
      ASSERT_TRUE(addOn().Choose(ids::OptionId(ui::kColourGroups[count - 1].option)));
    }
    // The four styles, Wavy and Clear Text now and then; Attention for a few Sends at a time
    // (three lines each, with their pauses).
    for (const ids::CheckRole box :
         {ids::kBold, ids::kItalics, ids::kUnderline, ids::kStrike, ids::kWavy, ids::kClearText}) {
      if (Chance(0.06)) {
        ASSERT_NO_FATAL_FAILURE(Tick(box, !addOn().IsTicked(box)));
      }
    }
    const bool attention = addOn().IsTicked(ids::kAttention);
    if (Chance(attention ? 0.4 : 0.03)) {
      ASSERT_NO_FATAL_FAILURE(Tick(ids::kAttention, !attention));
    }
    if (Chance(0.04)) {
      addOn().Press(ids::kRandomize);  // Randomize: it walks the bars before the barrier
      ASSERT_NO_FATAL_FAILURE(AwaitClicksHandled());
    }
  }

  void SendToChat() {
    const std::string line = Line();
    ASSERT_NO_FATAL_FAILURE(Type(line));
    const std::string message = MessageFromTheWindow(line);
    // Now and then the button is pressed again before the first line is out: each click is
    // one more message of the same line, in its turn. With Clear Text ticked a later click may
    // come after the box was emptied and send the style tags alone, as it would for a user.
    const bool keeps = !addOn().IsTicked(ids::kClearText);
    const int presses = keeps && Chance(0.15) ? Draw(2, 3) : 1;
    const double clicked = Seconds();
    for (int n = 0; n < presses; ++n) {
      addOn().Press(ids::kSend);
      ExpectChat(message, n == 0 && presses == 1 ? clicked : 0);
    }
    ASSERT_NO_FATAL_FAILURE(Await());
    sends_ += presses;
  }

  void ViewHtml() {
    const std::string line = Line();
    ASSERT_NO_FATAL_FAILURE(Type(line));
    const std::string view = MessageFromTheWindow(line) +
                             composer::ClosingText(CharacterCount(line), StylesOnTheWindow());
    addOn().Press(ids::kViewHtml);
    ASSERT_NO_FATAL_FAILURE(AwaitClicksHandled());
    EXPECT_TRUE(SameBytes(addOn().Text(ids::kHtmlWriter), view))
        << "View HTML after " << sends_ << " sends";
    ++sends_;
  }

  void SendInstantMessage() {
    ASSERT_TRUE(addOn().Choose(ids::kImSend));
    ASSERT_TRUE(WaitUntil([&] { return SendCaption() == "Send to IM"; }, 5));
    const std::string line = Line();
    ASSERT_NO_FATAL_FAILURE(Type(line));
    expected_.push_back({"im-sent", kRecipient, Ansi(MessageFromTheWindow(line))});
    addOn().Press(ids::kSend);
    ASSERT_NO_FATAL_FAILURE(Await());
    ASSERT_TRUE(addOn().Choose(ids::kSendToRoom));
    ASSERT_TRUE(WaitUntil([&] { return SendCaption() == "Send to Chat"; }, 5));
    // The host's instant message and buddy list windows opened in front of the room.
    BringChatRoomToFront();
    ++sends_;
  }

  static std::size_t CharacterCount(const std::string& utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  }

  static constexpr char kRecipient[] = "JunoBee7";

  std::mt19937 random_;
  std::unique_ptr<LogTail> tail_;
  std::deque<Expected> expected_;
  std::vector<double> waits_;
  int sends_ = 0, heard_ = 0;
};

TEST_F(SoakJourney, AnEveningOfSendsArrivesWholeInOrderWithFlatMemoryAndHandles) {
  const int seed = EnvironmentNumber("VFX_SOAK_SEED", 20261209);
  const int sends = Sends();
  random_.seed(static_cast<unsigned>(seed));
  std::printf("soak: %d sends, seed %d\n", sends, seed);
  ASSERT_NO_FATAL_FAILURE(Start());
  tail_ = std::make_unique<LogTail>(host().Tail());
  tail_->Read();  // the start-up lines are not the session's
  TypeInto(addOn().Control(ids::kRecipient), kRecipient);

  // The heap takes some hundreds of Sends to settle (5,000 Sends: 11.2 MiB after 500, 12.1 MiB
  // from 750 on, to the end).
  const int warmUp = std::max(50, sends / 5);
  Usage warm, most;
  bool warmedUp = false;
  const double started = Seconds();
  while (sends_ < sends) {
    ASSERT_NO_FATAL_FAILURE(ChangeSettings());
    const double roll = std::uniform_real_distribution<double>(0, 1)(random_);
    if (roll < 0.04)
      ASSERT_NO_FATAL_FAILURE(ViewHtml());
    else if (roll < 0.07)
      ASSERT_NO_FATAL_FAILURE(SendInstantMessage());
    else
      ASSERT_NO_FATAL_FAILURE(SendToChat());
    if (sends_ % 50 == 0) {
      ASSERT_TRUE(Answers()) << "no answer after " << sends_ << " sends";
    }
    if (sends_ >= warmUp && !warmedUp) {
      warm = UsageOf(addOn().process(), addOn().window());
      warmedUp = true;
    } else if (warmedUp && sends_ % 10 == 0) {
      const Usage now = UsageOf(addOn().process(), addOn().window());
      if (sends_ % std::max(10, sends / 20 / 10 * 10) == 0)
        std::printf("soak: after %d sends: %zu KiB, %zu handles\n", sends_, now.privateBytes / 1024,
                    now.handles);
      most.privateBytes = std::max(most.privateBytes, now.privateBytes);
      most.handles = std::max(most.handles, now.handles);
      most.windows = std::max(most.windows, now.windows);
    }
  }
  // Nothing more arrives than was asked for.
  Sleep(1000);
  for (const LogEvent& event : tail_->Read())
    EXPECT_TRUE(event.kind != "chat" && event.kind != "im-sent") << "an extra " << event.kind;
  ASSERT_TRUE(Answers());
  const Usage end = UsageOf(addOn().process(), addOn().window());
  most.privateBytes = std::max(most.privateBytes, end.privateBytes);
  most.handles = std::max(most.handles, end.handles);
  most.windows = std::max(most.windows, end.windows);

  std::printf(
      "soak: %d sends (%d messages heard) in %.0f s\n"
      "soak: private bytes %zu KiB after %d sends, %zu KiB at the end, %zu KiB at most\n"
      "soak: handles %zu after %d sends, %zu at the end, %zu at most; windows %zu, %zu, %zu\n"
      "soak: click to the line in the room over %zu plain Sends: median %.1f ms, 95th "
      "percentile %.1f ms, most %.1f ms\n",
      sends_, heard_, Seconds() - started, warm.privateBytes / 1024, warmUp,
      end.privateBytes / 1024, most.privateBytes / 1024, warm.handles, warmUp, end.handles,
      most.handles, warm.windows, end.windows, most.windows, waits_.size(),
      1000 * Percentile(waits_, 0.5), 1000 * Percentile(waits_, 0.95),
      1000 * Percentile(waits_, 1.0));
  // Flat: what a session keeps (fonts, brushes, the heap's own slack) is in by the warm-up; a
  // long line or a full HTML view may take a little more for a while.
  EXPECT_LE(end.privateBytes, warm.privateBytes + (1u << 20)) << "private bytes grew";
  EXPECT_LE(most.privateBytes, warm.privateBytes + (3u << 20)) << "private bytes grew for a while";
  EXPECT_LE(end.handles, warm.handles + 4) << "handles grew";
  EXPECT_LE(most.handles, warm.handles + 8) << "handles grew for a while";
  EXPECT_LE(most.windows, warm.windows) << "windows were left behind";
}

}  // namespace
}  // namespace vfx::e2e
