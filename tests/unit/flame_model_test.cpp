// The flame model against its cycle and its exact flicker values, and the
// numbers frames hand to OpenGL: corners, strip count and reach, the same on
// every architecture.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <tuple>
#include <vector>

#include "app/flame_band.h"
#include "flame/flame_state.h"

namespace {

// Level, crest and phase, compared and printed as one.
std::tuple<double, double, int> levelCrestPhase(const FlameState& s) {
  return {s.level, s.crest, s.phase};
}

std::vector<Strip> layOutFrame(FlameState& state) {
  std::vector<Strip> strips;
  forEachStrip(state, [&](const Strip& s) { strips.push_back(s); });
  return strips;
}

// Bottom left, top left, top right, bottom right: x, y of each.
std::vector<float> cornersOf(const Strip& s) {
  return {s.bottomLeft.x, s.bottomLeft.y, s.topLeft.x,     s.topLeft.y,
          s.topRight.x,   s.topRight.y,   s.bottomRight.x, s.bottomRight.y};
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
    ASSERT_EQ(levelCrestPhase(state), cycle[step % 117]) << "after step " << step + 1;
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
    EXPECT_EQ(levelCrestPhase(state), std::make_tuple(level, 20.0, static_cast<int>(phase)))
        << "must stay as they were";
  }
}

TEST(FlameBand, FirstFrameHas126StripsAtExactCorners) {
  FlameState state;
  const std::vector<Strip> strips = layOutFrame(state);
  ASSERT_EQ(strips.size(), 126u);

  EXPECT_EQ(cornersOf(strips[0]), (std::vector<float>{0, 5, 0, 35, 1, 35, 1, 5}));
  // The float roundings of 0.8, 1.8 and 5.2 (level 1 / 5 + 5).
  EXPECT_EQ(cornersOf(strips[1]),
            (std::vector<float>{0.800000011920929f, 6, 0.800000011920929f, 36, 1.7999999523162842f,
                                37, 1.7999999523162842f, 5.199999809265137f}));
  // The position is summed, not multiplied: strip 125 starts just short of 100.
  EXPECT_EQ(strips[125].bottomLeft.x, static_cast<float>(99.99999999999977));
  EXPECT_EQ(strips[125].topRight.x, static_cast<float>(100.99999999999977));
}

TEST(FlameBand, EveryFloatOfACycleIsTheSameOnEveryArchitecture) {
  // The first frame and the 13 tick frames after it (their top corners lifted
  // by the flicker), every corner's bits folded into one FNV-1a digest. It was
  // taken on x86-64; any other rounding anywhere (excess precision, fused
  // multiply-adds) changes it.
  FlameState state;
  std::uint64_t digest = 0xcbf29ce484222325u;
  for (int frame = 0; frame <= 13; ++frame) {
    if (frame > 0) computeFlicker(state);
    for (const Strip& s : layOutFrame(state)) {
      for (const float value : cornersOf(s)) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        digest = (digest ^ bits) * 0x100000001b3u;
      }
    }
  }
  EXPECT_EQ(digest, 15799816653892162494u);
}
