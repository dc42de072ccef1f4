#include "e2e/support/case_guard.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "e2e/support/child_process.h"
#include "e2e/support/host_process.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

struct Program {
  const char* windowClass;
  const char* what;
};
constexpr Program kPrograms[] = {
    {"AOL Frame25", "a substitute host"},
    {ui::ids::kMainWindowClass, "an add-on"},
    {ui::ids::kSplashWindowClass, "an add-on (at its splash)"},
};

struct Running {
  DWORD processId;
  const char* what;
};

std::vector<Running> RunningPrograms() {
  std::vector<Running> running;
  for (const Program& program : kPrograms)
    for (HWND window = FindWindowA(program.windowClass, nullptr); window;
         window = FindWindowExA(nullptr, window, program.windowClass, nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner != 0 && owner != GetCurrentProcessId()) running.push_back({owner, program.what});
    }
  return running;
}

}  // namespace

int EndLeftoverPrograms(double seconds) {
  WaitUntil([] { return RunningPrograms().empty(); }, seconds);
  int ended = 0;
  for (const Running& program : RunningPrograms()) {
    const bool gone = EndProgram(program.processId);
    std::printf("[ leftover ] %s %s still running (process %lu)\n",
                gone ? "ended" : "could not end", program.what,
                static_cast<unsigned long>(program.processId));
    ended += gone ? 1 : 0;
  }
  std::fflush(stdout);
  return ended;
}

GuardedCase::~GuardedCase() { StopWatching(); }

void GuardedCase::SetUp() {
  EndLeftoverPrograms(5);
  done_ = false;
  watchdog_ = std::thread([this] { Watch(); });
}

void GuardedCase::TearDown() { StopWatching(); }

void GuardedCase::StopWatching() {
  if (!watchdog_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    done_ = true;
  }
  finished_.notify_all();
  watchdog_.join();
}

void GuardedCase::Watch() {
  using std::chrono::duration;
  std::unique_lock<std::mutex> lock(mutex_);
  if (finished_.wait_for(lock, duration<double>(caseSeconds_), [this] { return done_; })) return;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::printf("[ too long ] %s.%s ran past %.0f s: ending the host and the add-on\n",
              test ? test->test_suite_name() : "?", test ? test->name() : "?", caseSeconds_);
  std::fflush(stdout);
  lock.unlock();
  EndLeftoverPrograms(0);
  lock.lock();
  // With its programs gone every wait of the case ends within seconds; one that does not is
  // stuck for good.
  if (finished_.wait_for(lock, duration<double>(20), [this] { return done_; })) return;
  std::printf("[ too long ] the case did not finish: ending the test program\n");
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 124);
}

}  // namespace vfx::e2e
