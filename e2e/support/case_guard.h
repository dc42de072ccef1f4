// What keeps one case of a program that starts the stand-in host or the add-on from holding the
// whole suite, whatever went wrong in an earlier case or in this one:
//
// - before the case, a host or an add-on still running from an earlier case (or an earlier
//   program) is given a few seconds to go, then ended by the process id of its window, with a
//   note on the test's output; the case then starts clean instead of failing, and so does every
//   later one;
// - during the case, a watchdog ends the host and the add-on when the case runs past its bound,
//   and ends the test program itself (exit status 124) when the case has not finished soon after,
//   so the suite stops with a message long before ctest's own timeout.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace vfx::e2e {

// Ends every running stand-in host and add-on (found by their windows' classes) after giving
// them `seconds` to go by themselves; says on the test's output which it ended. Returns how many.
int EndLeftoverPrograms(double seconds);

class GuardedCase : public ::testing::Test {
 protected:
  // Every case so far ends within a minute; the bound leaves room for a slow machine, and with
  // the watchdog's grace it stays well under ctest's 300 s for a whole program.
  static constexpr double kCaseSeconds = 90;

  explicit GuardedCase(double caseSeconds = kCaseSeconds) : caseSeconds_(caseSeconds) {}
  ~GuardedCase() override;

  void SetUp() override;
  void TearDown() override;

 private:
  void Watch();
  void StopWatching();

  double caseSeconds_;
  std::mutex mutex_;
  std::condition_variable finished_;
  bool done_ = false;
  std::thread watchdog_;
};

}  // namespace vfx::e2e
