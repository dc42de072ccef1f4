// How the journeys start programs, against what Wine really gives: a Unix program's start hands
// back no handle of the child (a null process handle, and under 32-bit Wine a thread "handle"
// that is left-over memory), and a handle value closed by mistake may alias one of ours.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "e2e/support/child_process.h"
#include "e2e/support/host_process.h"
#include "e2e/support/unix_program.h"

namespace vfx::e2e {
namespace {

constexpr char kSleeperVariable[] = "VFX_PROCESS_TEST_SLEEPER";

// The program itself, started again as a child that only sleeps: a Windows program of our own
// that runs until it is ended.
TEST(ChildProgram, SleepsWhenStartedAsTheSleeper) {
  if (!std::getenv(kSleeperVariable)) GTEST_SKIP() << "only as a child of the tests below";
  Sleep(60000);
}

HANDLE OwnProcessHandle() {
  HANDLE handle = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &handle, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return handle;
}

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != 0;
}

// The thread "handle" of a Unix program's start under 32-bit Wine was 0x6f where the host's
// process handle was 0x6c: the same handle once its two low bits are ignored.
HANDLE Aliasing(HANDLE handle) {
  return reinterpret_cast<HANDLE>(reinterpret_cast<std::uintptr_t>(handle) | 3);
}

TEST(StartHandles, WhatWineGivesForAUnixProgramClosesNoneOfOurs) {
  const HANDLE ours = OwnProcessHandle();
  ASSERT_TRUE(IsOpen(ours));

  PROCESS_INFORMATION asWineGivesIt{nullptr, Aliasing(ours), 1688779180, 1688779184};
  CloseStartHandles(asWineGivesIt);
  EXPECT_TRUE(IsOpen(ours));
  EXPECT_EQ(GetProcessId(ours), GetCurrentProcessId());

  // Nor does a child made of it: it holds no process, and ends nothing.
  PROCESS_INFORMATION again{nullptr, Aliasing(ours), 1688779180, 1688779184};
  {
    const ChildProcess child(again);
    EXPECT_EQ(child.id(), 0u);
    EXPECT_EQ(child.handle(), nullptr);
    EXPECT_FALSE(child.Running());
  }
  EXPECT_TRUE(IsOpen(ours));
  CloseHandle(ours);
}

TEST(UnixProgram, EndsWithItsStatusWithinTheBoundAndLeavesOurHandlesAlone) {
  const HANDLE ours = OwnProcessHandle();
  const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);

  const UnixRun failing = RunUnixProgram("exit 3", 10);
  EXPECT_TRUE(failing.started);
  EXPECT_TRUE(failing.ended);
  EXPECT_EQ(failing.status, 3);

  // Both kinds of quote reach the shell as the shell would read them from a terminal.
  const UnixRun quoted = RunUnixProgram(R"([ "it's \"so\"" = 'it'"'"'s "so"' ])", 10);
  EXPECT_TRUE(quoted.ended);
  EXPECT_EQ(quoted.status, 0);

  // A program past its bound is ended there, and says so.
  const double start = Seconds();
  const UnixRun stuck = RunUnixProgram("sleep 60", 1);
  EXPECT_TRUE(stuck.ended);
  EXPECT_EQ(stuck.status, 124);
  EXPECT_LT(Seconds() - start, 10);

  for (int run = 0; run < 20; ++run) ASSERT_EQ(RunUnixProgram("true", 10).status, 0);
  EXPECT_TRUE(IsOpen(ours));
  EXPECT_EQ(GetProcessId(ours), GetCurrentProcessId());
  EXPECT_TRUE(IsOpen(event));
  CloseHandle(event);
  CloseHandle(ours);
}

class SleeperChild : public ::testing::Test {
 protected:
  void SetUp() override {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    SetEnvironmentVariableA(kSleeperVariable, "1");
    child_ = StartProgram("\"" + std::string(path) + "\" --gtest_filter=ChildProgram.*");
    SetEnvironmentVariableA(kSleeperVariable, nullptr);
    ASSERT_NE(child_.id(), 0u);
    // Seen from outside, by a handle of the test's own.
    observer_ = OpenProcess(SYNCHRONIZE, FALSE, child_.id());
    ASSERT_NE(observer_, nullptr);
  }
  void TearDown() override {
    child_.Terminate();
    if (observer_) CloseHandle(observer_);
  }

  bool Ended() const { return WaitForSingleObject(observer_, 10000) == WAIT_OBJECT_0; }

  ChildProcess child_;
  HANDLE observer_ = nullptr;
};

TEST_F(SleeperChild, IsEndedByItsIdWhenItsHandleWasClosedBehindItsBack) {
  ASSERT_TRUE(child_.Running());
  CloseHandle(child_.handle());
  EXPECT_TRUE(child_.Running());
  EXPECT_TRUE(child_.Terminate());
  EXPECT_TRUE(Ended());
  EXPECT_FALSE(child_.Running());
}

TEST_F(SleeperChild, NeitherUsesNorClosesAHandleValueThatWentToAnotherObject) {
  const HANDLE held = child_.handle();
  CloseHandle(held);
  // The system hands the freed value out again, here most likely to this event.
  const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_TRUE(child_.Running());
  EXPECT_TRUE(child_.Terminate());
  EXPECT_TRUE(Ended());
  child_ = ChildProcess();  // closes what it holds now: never the event
  EXPECT_TRUE(IsOpen(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(event);
}

}  // namespace
}  // namespace vfx::e2e
