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

TEST(StepFlame, WalksA117StepCycleThatFramesOf126StepsEnterAtThirteenPlaces) {
  // Rises to crest - 1, holds there for a step, falls to 0; crests 15, 20, 25.
  std::vector<double> cycle;
  for (int crest : {15, 20, 25}) {
    for (int v = 1; v < crest; ++v) cycle.push_back(v);
    for (int v = crest - 1; v >= 0; --v) cycle.push_back(v);
  }
  ASSERT_EQ(cycle.size(), 117u);
  // Where each frame starts: (level, crest, phase).
  const double frameStarts[13][3] = {{0, 15, 0},  {9, 15, 0},  {11, 15, 1}, {2, 15, 1}, {7, 20, 0},
                                     {16, 20, 0}, {14, 20, 1}, {5, 20, 1},  {4, 25, 0}, {13, 25, 0},
                                     {22, 25, 0}, {18, 25, 1}, {9, 25, 1}};

  FlameState state;
  state.flicker = 7.25;  // the step rule must leave it alone
  for (int step = 0; step < 27 * 126; ++step) {
    if (step % 126 == 0) {
      const double* start = frameStarts[(step / 126) % 13];
      EXPECT_EQ(rest(state), std::make_tuple(start[0], start[1], static_cast<int>(start[2])))
          << "at the start of frame " << step / 126;
    }
    stepFlame(state);
    ASSERT_EQ(state.level, cycle[step % 117]) << "after step " << step + 1;
    // Between steps the level never rests on the crest, and the crest is never 30.
    ASSERT_NE(state.level, state.crest) << "after step " << step + 1;
    ASSERT_TRUE(state.crest == 15.0 || state.crest == 20.0 || state.crest == 25.0)
        << "crest " << state.crest << " after step " << step + 1;
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
                             {0, 1, 0.0},
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
