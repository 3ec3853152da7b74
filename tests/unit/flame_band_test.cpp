// The numbers one frame hands to OpenGL: corners, strip count and reach.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>
#include "flame/flame_state.h"

#include "app/flame_band.h"

namespace {

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

void expectCorners(const Strip& s, const std::vector<float>& xy, const char* which) {
  EXPECT_EQ(cornersOf(s), xy) << which << ": bottom left, top left, top right, bottom right";
}

}  // namespace

TEST(FlameBand, FirstFrameHas126StripsAtExactCorners) {
  FlameState state;
  const std::vector<Strip> strips = layOutFrame(state);
  ASSERT_EQ(strips.size(), 126u);
  EXPECT_EQ(state.level, 9.0);  // 126 steps, one after each strip

  expectCorners(strips[0], {0, 5, 0, 35, 1, 35, 1, 5}, "strip 0");
  // The float roundings of 0.8, 1.8 and 5.2 (level 1 / 5 + 5).
  expectCorners(strips[1],
                {0.800000011920929f, 6, 0.800000011920929f, 36, 1.7999999523162842f, 37,
                 1.7999999523162842f, 5.199999809265137f},
                "strip 1");
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
