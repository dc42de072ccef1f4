#include <gtest/gtest.h>

#include <array>
#include <set>

#include "fade/fade.h"

namespace vfx::fade {
namespace {

class RandomComponentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTimeOfDaySource([this] { return clock_; });
  }
  void TearDown() override { SetTimeOfDaySource(nullptr); }
  float clock_ = 43200.25f;
};

TEST_F(RandomComponentTest, SpreadsEvenlyOverZeroTo254EvenWithAFrozenClock) {
  constexpr int kDraws = 255 * 400;
  std::array<int, 256> counts{};
  for (int n = 0; n < kDraws; ++n) {
    const int value = RandomComponent();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 254);
    ++counts[value];
  }
  EXPECT_EQ(counts[255], 0);
  for (int value = 0; value < 255; ++value) {
    // 400 expected per value; six standard deviations (about 120) is far outside chance.
    EXPECT_GT(counts[value], 280) << value;
    EXPECT_LT(counts[value], 520) << value;
  }
}

TEST_F(RandomComponentTest, ThirtyCallsInOneClockTickDoNotCollapse) {
  std::set<int> values;
  for (int n = 0; n < 30; ++n) values.insert(RandomComponent());
  EXPECT_GT(values.size(), 20u);
}

TEST_F(RandomComponentTest, AReseedFromTheSameTimeDoesNotRestoreTheState) {
  std::set<int> afterReseed;
  for (int n = 0; n < 30; ++n) {
    ReseedFromTimeOfDay();
    afterReseed.insert(RandomComponent());
  }
  EXPECT_GT(afterReseed.size(), 20u);
}

TEST_F(RandomComponentTest, FollowsTheClockSource) {
  std::set<int> values;
  for (int n = 0; n < 30; ++n) {
    clock_ += 0.01f;
    values.insert(RandomComponent());
  }
  EXPECT_GT(values.size(), 20u);
}

}  // namespace
}  // namespace vfx::fade
