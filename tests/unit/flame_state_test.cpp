// The flame model against its cycle, its frame rhythm and its exact flicker values.
#include <gtest/gtest.h>

#include <vector>

#include "flame/flame_state.h"

namespace {

struct Snapshot {
  double level;
  double crest;
  int phase;
};

bool operator==(const Snapshot& a, const Snapshot& b) {
  return a.level == b.level && a.crest == b.crest && a.phase == b.phase;
}

void PrintTo(const Snapshot& s, std::ostream* os) {
  *os << "(" << s.level << ", " << s.crest << ", " << s.phase << ")";
}

Snapshot snapshot(const FlameState& s) {
  return {s.level, s.crest, s.phase};
}

FlameState stateOf(const Snapshot& s) {
  FlameState state;
  state.level = s.level;
  state.crest = s.crest;
  state.phase = s.phase;
  return state;
}

// One rise to crest - 1, held for a step, and a fall back to 0.
void appendRiseAndFall(std::vector<double>& levels, int crest) {
  for (int v = 1; v < crest; ++v) levels.push_back(v);
  for (int v = crest - 1; v >= 0; --v) levels.push_back(v);
}

std::vector<double> oneCycleOfLevels() {
  std::vector<double> levels;
  appendRiseAndFall(levels, 15);
  appendRiseAndFall(levels, 20);
  appendRiseAndFall(levels, 25);
  return levels;
}

// The states at the start of 13 consecutive frames of 126 steps each.
const std::vector<Snapshot> kFrameStarts = {
    {0, 15, 0}, {9, 15, 0}, {11, 15, 1}, {2, 15, 1},  {7, 20, 0},  {16, 20, 0}, {14, 20, 1},
    {5, 20, 1}, {4, 25, 0}, {13, 25, 0}, {22, 25, 0}, {18, 25, 1}, {9, 25, 1},
};

}  // namespace

TEST(StepFlame, WalksTheWholeCycleAndReturnsToTheStart) {
  const std::vector<double> expected = oneCycleOfLevels();
  ASSERT_EQ(expected.size(), 117u);

  FlameState state;
  state.flicker = 7.25;  // the step rule must leave it alone
  std::vector<double> seen;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    stepFlame(state);
    seen.push_back(state.level);
    // Between steps the level never rests on the crest, and the crest is never 30.
    ASSERT_NE(state.level, state.crest) << "after step " << i + 1;
    ASSERT_TRUE(state.crest == 15.0 || state.crest == 20.0 || state.crest == 25.0)
        << "crest " << state.crest << " after step " << i + 1;
  }
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(snapshot(state), (Snapshot{0, 15, 0}));
  EXPECT_EQ(state.flicker, 7.25);
}

TEST(StepFlame, FramesOf126StepsRunThroughThirteenStartStates) {
  FlameState state;
  for (int frame = 0; frame < 2 * 13 + 1; ++frame) {
    ASSERT_EQ(snapshot(state), kFrameStarts[frame % 13]) << "frame " << frame;
    for (int strip = 0; strip < 126; ++strip) stepFlame(state);
  }
}

TEST(ComputeFlicker, IsTheFirstRunningSumOfFifthsAboveTheLevelWhileRising) {
  const struct {
    double level;
    double flicker;
  } cases[] = {
      {0, 0.2},
      {1, 1.2},
      {3, 3.0000000000000004},  // fifteen additions land just above 3: no sixteenth
      {4, 4.000000000000001},
      {7, 7.0000000000000036},
      {9, 9.2},
      {13, 13.199999999999985},
      {16, 16.199999999999974},
      {22, 22.199999999999953},
      {24, 24.199999999999946},
  };
  for (const auto& c : cases) {
    FlameState state = stateOf({c.level, 20, 0});
    computeFlicker(state);
    EXPECT_EQ(state.flicker, c.flicker) << "level " << c.level;
    EXPECT_EQ(snapshot(state), (Snapshot{c.level, 20, 0}));
  }
}

TEST(ComputeFlicker, IsZeroWhileFalling) {
  for (double level : {0.0, 1.0, 13.0, 24.0}) {
    FlameState state = stateOf({level, 25, 1});
    state.flicker = 5.0;
    computeFlicker(state);
    EXPECT_EQ(state.flicker, 0.0) << "level " << level;
    EXPECT_EQ(snapshot(state), (Snapshot{level, 25, 1}));
  }
}

TEST(ComputeFlicker, LiftsEachOfTheThirteenFramesAsTheTicksDo) {
  const double expected[13] = {0.2,
                               9.2,
                               0,
                               0,
                               7.0000000000000036,
                               16.199999999999974,
                               0,
                               0,
                               4.000000000000001,
                               13.199999999999985,
                               22.199999999999953,
                               0,
                               0};
  for (int i = 0; i < 13; ++i) {
    FlameState state = stateOf(kFrameStarts[i]);
    computeFlicker(state);
    EXPECT_EQ(state.flicker, expected[i]) << "frame start " << i;
  }
}
