// The flame model against its cycle, its frame rhythm and its exact flicker values.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "flame/flame_state.h"

namespace {

// level, crest and phase, compared and printed as one.
std::tuple<double, double, int> rest(const FlameState& s) {
  return {s.level, s.crest, s.phase};
}

}  // namespace

TEST(StepFlame, WalksA117StepCycleThroughCrests15_20_25) {
  // After each step: up by one to crest - 1, turned there, down to 0, where the
  // next crest is taken. The level never rests on the crest; the crest is never 30.
  std::vector<std::tuple<double, double, int>> cycle;
  for (int crest : {15, 20, 25}) {
    for (int v = 1; v < crest; ++v) cycle.emplace_back(v, crest, 0);
    for (int v = crest - 1; v > 0; --v) cycle.emplace_back(v, crest, 1);
    cycle.emplace_back(0, crest == 25 ? 15 : crest + 5, 0);
  }
  ASSERT_EQ(cycle.size(), 117u);

  FlameState state{0, 15, 0,
                   7.25};  // the initial state; the step rule must leave the flicker alone
  for (int step = 0; step < 3 * 117; ++step) {
    stepFlame(state);
    ASSERT_EQ(rest(state), cycle[step % 117]) << "after step " << step + 1;
  }
  EXPECT_EQ(state.flicker, 7.25);
}

TEST(ComputeFlicker, IsTheFirstRunningSumOfFifthsAboveTheLevelWhileRisingAndZeroWhileFalling) {
  // Level, phase, and the flicker it gives. At level 3 fifteen additions land
  // just above 3, so there is no sixteenth.
  const double cases[][3] = {{0, 0, 0.2},
                             {1, 0, 1.2},
                             {3, 0, 3.0000000000000004},
                             {4, 0, 4.000000000000001},
                             {7, 0, 7.0000000000000036},
                             {9, 0, 9.2},
                             {13, 0, 13.199999999999985},
                             {16, 0, 16.199999999999974},
                             {22, 0, 22.199999999999953},
                             {24, 0, 24.199999999999946},
                             {13, 1, 0.0},
                             {24, 1, 0.0}};
  for (const auto& [level, phase, flicker] : cases) {
    FlameState state{level, 20, static_cast<int>(phase), 5.0};
    computeFlicker(state);
    EXPECT_EQ(state.flicker, flicker) << "level " << level << ", phase " << phase;
    EXPECT_EQ(rest(state), std::make_tuple(level, 20.0, static_cast<int>(phase)))
        << "must stay as they were";
  }
}
