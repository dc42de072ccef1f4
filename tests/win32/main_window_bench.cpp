// Timings of the main window on real Win32 controls (run under Wine): Randomize at its worst
// (ten colours, every draw 254: 7,620 steps, each moving a scroll bar, relabelling and
// repainting a swatch), and one Down, Up, Right, Left cycle of the resizing arrows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "fade/fade.h"
#include "tests/win32/window_rig.h"

namespace {

using namespace vfx;
using bench::Median;

}  // namespace

int main() {
  bench::WindowRig rig;
  ui::ZiruZezuzo& window = rig.window;
  platform::win32::Win32EventPump& events = rig.events;

  window.Option(10).set_value(true);
  window.random.component = [] { return 254; };
  constexpr int kRuns = 5;
  std::vector<double> randomize;
  for (int run = 0; run < kRuns; ++run) {
    // From 0, so that every one of the 7,620 steps is a change.
    for (int n = 1; n <= 30; ++n) window.HScroll(n).set_value(0);
    events.ProcessPendingEvents();
    const double start = events.Now();
    window.Command5_Click();
    randomize.push_back(events.Now() - start);
    events.ProcessPendingEvents();
  }
  std::printf(
      "Randomize, 10 colours, every draw 254 (7620 steps): median %.3f s, best %.3f s "
      "(%d runs)\n",
      Median(randomize), *std::min_element(randomize.begin(), randomize.end()), kRuns);

  struct Step {
    const char* name;
    void (ui::ZiruZezuzo::*handler)();
  };
  const Step cycle[] = {{"Down", &ui::ZiruZezuzo::Command7_Click},
                        {"Up", &ui::ZiruZezuzo::Command13_Click},
                        {"Right", &ui::ZiruZezuzo::Command8_Click},
                        {"Left", &ui::ZiruZezuzo::Command12_Click}};
  double total = 0;
  for (const Step& step : cycle) {
    const double start = events.Now();
    (window.*step.handler)();
    const double took = events.Now() - start;
    total += took;
    events.ProcessPendingEvents();
    std::printf("%-5s %.3f s, window now %.0f x %.0f twips\n", step.name, took,
                window.form().width(), window.form().height());
  }
  std::printf("Down, Up, Right, Left cycle: %.3f s\n", total);
  return 0;
}
