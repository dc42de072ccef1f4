// Timings of vontrafx.exe's life cycle against substitute-host.exe, driven from outside as the
// journeys drive it (run under Wine): from the splash click to the main window shown, the
// processor the Self Test uses while its pauses wait, and from Exit's last line to the end of
// the process. Each run is a fresh add-on beside one host; the figures are spread over the runs.
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "e2e/support/addon_process.h"
#include "e2e/support/host_process.h"
#include "e2e/support/host_windows.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;

constexpr int kRuns = 5;
// The start-up sound plays for about a second after the click; the idle figure waits it out.
constexpr DWORD kSoundMilliseconds = 1500;
constexpr DWORD kIdleMilliseconds = 2000;
// A user looks at the splash before clicking it; nobody clicks within a second of its showing.
constexpr DWORD kLookAtTheSplashMilliseconds = 1000;

double SecondsOf(FILETIME time) {
  return (static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) * 1e-7;
}

// The add-on's processor time, user and kernel. Wine answers GetProcessTimes with the calling
// process's own times whatever the handle, but reads each thread's true times from the system:
// there the sum over the add-on's threads stands in (they last as long as the add-on does, so
// no thread's time drops out between two readings).
double ProcessorSeconds(const AddOnProcess& addOn) {
  FILETIME created, exited, kernel, user;
  if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
    if (!GetProcessTimes(addOn.process(), &created, &exited, &kernel, &user)) return 0;
    return SecondsOf(kernel) + SecondsOf(user);
  }
  double total = 0;
  HANDLE threads = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (threads == INVALID_HANDLE_VALUE) return 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(threads, &entry); more; more = Thread32Next(threads, &entry)) {
    if (entry.th32OwnerProcessID != addOn.process_id()) continue;
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    if (!thread) continue;
    if (GetThreadTimes(thread, &created, &exited, &kernel, &user))
      total += SecondsOf(kernel) + SecondsOf(user);
    CloseHandle(thread);
  }
  CloseHandle(threads);
  return total;
}

struct Life {
  double startUp = 0;       // splash click to main window shown
  double idleShare = 0;     // processor share of one core, before the Self Test
  double selfTestWall = 0;  // the press to the last caption
  double selfTestProcessor = 0;
  double exitToEnd = 0;  // the last exit line in the log to the end of the process
};

struct Spread {
  double min, median, max;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values.front(), values[values.size() / 2], values.back()};
}

std::vector<double> Each(const std::vector<Life>& lives, double (*figure)(const Life&)) {
  std::vector<double> values;
  for (const Life& life : lives) values.push_back(figure(life));
  return values;
}

// One add-on from its start to its end; the reason when a step did not happen.
std::optional<Life> MeasureOneLife(const HostProcess& host, std::string& failure) {
  Life life;
  AddOnProcess addOn(AddOnProcess::Options{.passSplash = false});
  if (!WaitUntil([&] { return addOn.Splash() != nullptr; }, 30)) {
    failure = "no splash window";
    return std::nullopt;
  }
  Sleep(kLookAtTheSplashMilliseconds);
  std::size_t chats = host.Events("chat").size();
  const double clicked = Seconds();
  addOn.ClickSplash();
  if (!addOn.WaitForMainWindow(20)) {
    failure = "the main window did not show after the splash click";
    return std::nullopt;
  }
  life.startUp = Seconds() - clicked;
  chats += 3;
  if (!host.WaitForEvents("chat", chats)) {
    failure = "the start-up announcement did not arrive";
    return std::nullopt;
  }

  Sleep(kSoundMilliseconds);
  const double idleFrom = ProcessorSeconds(addOn);
  Sleep(kIdleMilliseconds);
  life.idleShare = (ProcessorSeconds(addOn) - idleFrom) / (kIdleMilliseconds / 1000.0);

  // The caption is read from the system's copy, so watching it costs the add-on nothing.
  const double processorBefore = ProcessorSeconds(addOn);
  const double pressed = Seconds();
  addOn.Press(ids::kSelfTest);
  if (!WaitUntil([&] { return addOn.Caption() == ui::kSelfTestCaptions.back(); }, 60)) {
    failure = "the Self Test did not reach its last caption";
    return std::nullopt;
  }
  life.selfTestWall = Seconds() - pressed;
  life.selfTestProcessor = ProcessorSeconds(addOn) - processorBefore;
  chats += 1;
  if (!host.WaitForEvents("chat", chats, 5)) {
    failure = "the Self Test's sample line did not arrive";
    return std::nullopt;
  }

  addOn.Press(ids::kExit);
  chats += 2;
  std::optional<double> lastLine, ended;
  WaitUntil(
      [&] {
        if (!lastLine && host.Events("chat").size() >= chats) lastLine = Seconds();
        if (!ended && !addOn.Running()) ended = Seconds();
        return lastLine && ended;
      },
      10);
  if (!lastLine || !ended) {
    failure = lastLine ? "the add-on did not end after Exit" : "Exit's two lines did not arrive";
    return std::nullopt;
  }
  life.exitToEnd = std::max(0.0, *ended - *lastLine);
  return life;
}

int Run() {
  // The add-on finds the host by its window class: a second host would take its lines.
  if (HostFrame() || FindWindowA(ids::kMainWindowClass, nullptr)) {
    std::printf("not measured: another substitute host or add-on is running\n");
    return 1;
  }
  HostProcess host;
  if (!host.ready()) {
    std::printf("not measured: the substitute host did not start\n");
    return 1;
  }
  std::vector<Life> lives;
  for (int run = 1; run <= kRuns; ++run) {
    std::string failure;
    const std::optional<Life> life = MeasureOneLife(host, failure);
    if (!life) {
      std::printf("not measured: run %d: %s\n", run, failure.c_str());
      return 1;
    }
    lives.push_back(*life);
  }

  const Spread startUp = SpreadOf(Each(lives, [](const Life& l) { return l.startUp; }));
  std::printf(
      "Start-up, splash click to main window shown (%d runs): min %.3f s, median %.3f s, "
      "max %.3f s\n",
      kRuns, startUp.min, startUp.median, startUp.max);

  const Spread share =
      SpreadOf(Each(lives, [](const Life& l) { return l.selfTestProcessor / l.selfTestWall; }));
  const Spread processor = SpreadOf(Each(lives, [](const Life& l) { return l.selfTestProcessor; }));
  const Spread wall = SpreadOf(Each(lives, [](const Life& l) { return l.selfTestWall; }));
  std::printf(
      "Self Test (%d runs): the add-on's processor %.2f %% of one core (median; min "
      "%.2f %%, max %.2f %%), %.0f ms over a median %.2f s (min %.2f s, max %.2f s)\n",
      kRuns, 100 * share.median, 100 * share.min, 100 * share.max, 1e3 * processor.median,
      wall.median, wall.min, wall.max);
  const Spread idle = SpreadOf(Each(lives, [](const Life& l) { return l.idleShare; }));
  std::printf(
      "The add-on idle with its main window shown, before each Self Test: median %.2f %% "
      "of one core, max %.2f %%\n",
      100 * idle.median, 100 * idle.max);

  const Spread exit = SpreadOf(Each(lives, [](const Life& l) { return l.exitToEnd; }));
  std::printf(
      "Exit, its last line in the chat room to the end of the process (%d runs): min "
      "%.3f s, median %.3f s, max %.3f s (seen every 10 ms)\n",
      kRuns, exit.min, exit.median, exit.max);
  return 0;
}

}  // namespace
}  // namespace vfx::e2e

int main() { return vfx::e2e::Run(); }
