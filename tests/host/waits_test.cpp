#include <gtest/gtest.h>

#include "host/host.h"
#include "tests/support/fake_events.h"

namespace vfx::host {
namespace {

using testing::FakeEventPump;

TEST(Pause, LastsAtLeastTheTimeAskedAndSleepsInTheEventWait) {
  FakeEventPump events;
  const double start = events.Now();
  Pause(events, 0.3);
  EXPECT_GE(events.Now() - start, 0.3);
  EXPECT_LT(events.Now() - start, 0.31);
  EXPECT_LE(events.waitCount, 2);  // no spinning: one wait until the deadline
}

TEST(Pause, AWaitThatWakesEarlyDoesNotEndIt) {
  FakeEventPump events;
  events.wakeEvery = 0.0007;  // off the millisecond grid
  for (double seconds : {0.01, 0.1, 0.3}) {
    const double start = events.Now();
    Pause(events, seconds);
    EXPECT_GE(events.Now() - start, seconds);
    EXPECT_LT(events.Now() - start, seconds + 0.001);
  }
}

TEST(Pause, ZeroOrLessReturnsAtOnceWithoutProcessingEvents) {
  FakeEventPump events;
  Pause(events, 0);
  Pause(events, -1);
  EXPECT_EQ(events.processCount, 0);
}

TEST(Pause, RunsEventsThatArriveMeanwhileAndEndsWhenTheProgramEnds) {
  FakeEventPump events;
  std::vector<double> ranAt;
  events.After(0.1, [&] { ranAt.push_back(events.Now()); });
  events.After(0.2, [&] {
    ranAt.push_back(events.Now());
    events.MarkEnding();
  });
  const double start = events.Now();
  Pause(events, 3);
  ASSERT_EQ(ranAt.size(), 2u);
  EXPECT_NEAR(ranAt[0] - start, 0.1, 1e-9);
  EXPECT_NEAR(events.Now() - start, 0.2, 1e-9);  // not the full 3 seconds
}

TEST(Pause, ANestedPauseInsideAnEventCompletesFirst) {
  FakeEventPump events;
  double innerEnded = 0;
  events.After(0.05, [&] {
    Pause(events, 0.5);
    innerEnded = events.Now();
  });
  const double start = events.Now();
  Pause(events, 0.1);
  EXPECT_NEAR(innerEnded - start, 0.55, 1e-9);
  EXPECT_GE(events.Now() - start, 0.55 - 1e-9);
}

TEST(FlushEvents, ProcessesPendingEventsExactlyFiftyTimes) {
  FakeEventPump events;
  FlushEvents(events);
  EXPECT_EQ(events.processCount, 50);
  EXPECT_EQ(events.waitCount, 0);
}

}  // namespace
}  // namespace vfx::host
