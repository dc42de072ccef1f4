#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
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

TEST_F(RandomComponentTest, ReseedsInOneClockTickDoNotCollapseTheDraws) {
  std::set<int> values;
  for (int n = 0; n < 30; ++n) {
    ReseedFromTimeOfDay();  // as the Randomize button does between its calls
    values.insert(RandomComponent());
  }
  EXPECT_GT(values.size(), 20u);
}

TEST_F(RandomComponentTest, FromOneStateTheDrawFollowsTheClockSource) {
  // Each child process starts from the same generator state; only the time differs.
  std::set<int> values;
  const auto record = [&values](int status) {
    for (int value = 0; value <= 254; ++value)
      if (::testing::ExitedWithCode(value)(status)) values.insert(value);
    return true;
  };
  for (float time : {100.5f, 2000.25f, 43200.75f, 86000.0f}) {
    clock_ = time;
    EXPECT_EXIT(std::_Exit(RandomComponent()), record, "");
  }
  EXPECT_GT(values.size(), 1u);
}

}  // namespace
}  // namespace vfx::fade
