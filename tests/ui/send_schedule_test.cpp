// Thousands of random click schedules; VFX_SCHEDULES sets how many, VFX_SCHEDULE_SEED the first
// seed, for a long run or to replay one that broke.
#include "tests/ui/send_schedule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace vfx::ui::schedule {
namespace {

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  return value ? std::strtoull(value, nullptr, 10) : fallback;
}

TEST(SendSchedules, ClicksInsideEveryWaitNeverNestDeliveriesOrLoseALine) {
  const std::uint64_t first = FromEnvironment("VFX_SCHEDULE_SEED", 1);
  const std::uint64_t count = FromEnvironment("VFX_SCHEDULES", 2000);
  for (std::uint64_t seed = first; seed < first + count; ++seed) {
    SeededChoices choices(seed);
    const std::string violation = RunSchedule(choices);
    ASSERT_TRUE(violation.empty()) << "seed " << seed << ": " << violation;
  }
}

}  // namespace
}  // namespace vfx::ui::schedule
