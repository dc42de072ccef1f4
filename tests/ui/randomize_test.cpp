#include <deque>
#include <utility>
#include <vector>

#include "tests/ui/colour_rows.h"
#include "tests/ui/window_fixture.h"

namespace vfx::ui {
namespace {

class RandomizeTest : public MainWindowTest {
 protected:
  RandomizeTest() {
    // Every value a bar takes, in order, observed behind the window's own handler.
    for (int n = 1; n <= 30; ++n) {
      auto& bar = window.HScroll(n);
      bar.on_change = [this, n, &bar, handler = std::move(bar.on_change)] {
        taken.push_back({n, bar.value()});
        handler();
      };
    }
  }

  // Draws come from the list; reseeds are counted.
  void Script(std::deque<int> draws) {
    draws_ = std::move(draws);
    window.random.component = [this] {
      const int r = draws_.front();
      draws_.pop_front();
      return r;
    };
    window.random.reseed = [this] { ++reseeds; };
  }

  std::vector<std::pair<int, int>> taken;  // bar, value
  int reseeds = 0;

 private:
  std::deque<int> draws_;
};

TEST_F(RandomizeTest, OneColourWalksBlueThenGreenThenRedThroughEveryValue) {
  window.Option(1).set_value(true);
  Script({3, 1, 2});
  window.Command5_Click();
  EXPECT_EQ(taken,
            (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {3, 1}, {3, 2}}));
  EXPECT_EQ(reseeds, 6);  // one per step
  EXPECT_EQ(window.Label(3).caption(), "3");
  EXPECT_EQ(window.Label(2).caption(), "1");
  EXPECT_EQ(window.Label(1).caption(), "2");
  EXPECT_EQ(window.Picture(1).back_colour(),
            static_cast<toolkit::Colour>(toolkit::ColourValue(2, 1, 3)));
}

TEST_F(RandomizeTest, AZeroDrawLeavesTheBarAndItsLabelAsTheyWere) {
  window.Option(1).set_value(true);
  window.HScroll(2).set_value(200);
  window.Label(2).set_caption("left alone");
  Script({1, 0, 1});
  window.Command5_Click();
  EXPECT_EQ(window.HScroll(2).value(), 200);
  EXPECT_EQ(window.Label(2).caption(), "left alone");
  EXPECT_EQ(reseeds, 2);
}

TEST_F(RandomizeTest, ABarAboveItsDrawStartsAgainFromOne) {
  window.Option(1).set_value(true);
  window.HScroll(1).set_value(5);
  taken.clear();
  Script({3, 0, 0});
  window.Command5_Click();
  // 1 and 2 are changes, 3 as well; each runs the handler once.
  EXPECT_EQ(taken, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}}));
  EXPECT_EQ(window.Label(3).caption(), "3");
}

TEST_F(RandomizeTest, ColoursBeyondTheSelectedCountAreUntouchedAndTheOrderIsByColour) {
  window.Option(3).set_value(true);
  for (int n = 1; n <= 30; ++n) window.HScroll(n).set_value(250);
  taken.clear();
  Script({1, 1, 1, 1, 1, 1, 1, 1, 1});
  window.Command5_Click();
  std::vector<int> bars;
  for (auto [bar, value] : taken) {
    EXPECT_EQ(value, 1);
    bars.push_back(bar);
  }
  EXPECT_EQ(bars, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  for (int n = 10; n <= 30; ++n) EXPECT_EQ(window.HScroll(n).value(), 250) << n;
}

TEST_F(RandomizeTest, NoSelectedCountChangesNothing) {
  for (int k = 1; k <= 10; ++k) window.Option(k).set_value(false);
  ASSERT_EQ(window.SelectedColourCount(), 0);
  Script({});
  window.Command5_Click();
  EXPECT_TRUE(taken.empty());
  EXPECT_EQ(reseeds, 0);
}

TEST_F(RandomizeTest, WithTheRealGeneratorEveryBarEndsAtItsDrawHavingTakenOneToIt) {
  float clock = 36000.5f;
  int clockReads = 0;
  fade::SetTimeOfDaySource([&] {
    ++clockReads;
    return clock;  // frozen: the generator must still spread the draws
  });
  window.Option(10).set_value(true);
  window.Command(ids::kRandomize).set_focus();
  window.Command5_Click();
  fade::SetTimeOfDaySource(nullptr);

  std::vector<int> expectedNext(31, 1);
  int steps = 0;
  for (auto [bar, value] : taken) {
    EXPECT_EQ(value, expectedNext[bar]) << bar;
    expectedNext[bar] = value + 1;
    ++steps;
  }
  int changedBars = 0;
  for (const ColourRow& row : kColourRows)
    for (int c = 0; c < 3; ++c) {
      const int n = row.bar[c], value = window.HScroll(n).value();
      EXPECT_LE(value, 254);
      if (expectedNext[n] > 1) {
        ++changedBars;
        EXPECT_EQ(value, expectedNext[n] - 1);
        EXPECT_EQ(window.Label(row.label[c]).caption(), std::to_string(value));
      } else {
        EXPECT_EQ(value, 0);  // drew 0: never set
      }
    }
  EXPECT_GE(changedBars, 25);
  // Thirty draws, each seeding first, and one seeding per step.
  EXPECT_EQ(clockReads, 30 + steps);
  EXPECT_TRUE(window.Command(ids::kRandomize).has_focus());
}

}  // namespace
}  // namespace vfx::ui
