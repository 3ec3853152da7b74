// The numbers one frame hands to OpenGL: corners, strip count and reach.
#include <gtest/gtest.h>

#include <vector>

#include "app/flame_band.h"

namespace {

std::vector<Strip> layOutFrame(FlameState& state) {
  std::vector<Strip> strips;
  forEachStrip(state, [&](const Strip& s) { strips.push_back(s); });
  return strips;
}

void expectCorner(const StripCorner& corner, float x, float y, const char* which) {
  EXPECT_EQ(corner.x, x) << which;
  EXPECT_EQ(corner.y, y) << which;
}

}  // namespace

TEST(FlameBand, FirstFrameHas126StripsWithTheirLevelsAndExactCorners) {
  FlameState state;
  std::vector<double> levels;
  std::vector<Strip> strips;
  forEachStrip(state, [&](const Strip& s) {
    strips.push_back(s);
    levels.push_back(s.bottomLeft.y - 5.0);  // the bottom left corner sits at 5 + level
  });

  ASSERT_EQ(strips.size(), 126u);
  EXPECT_EQ(state.level, 9.0);
  EXPECT_EQ(state.crest, 15.0);
  EXPECT_EQ(state.phase, 0);

  // 0..14,14..1 then 0..19,19..1 then 0..24,24..1, then 0..8.
  std::vector<double> expected;
  for (int crest : {15, 20, 25}) {
    for (int v = 0; v < crest; ++v) expected.push_back(v);
    for (int v = crest - 1; v >= 1; --v) expected.push_back(v);
  }
  for (int v = 0; v <= 8; ++v) expected.push_back(v);
  EXPECT_EQ(levels, expected);

  expectCorner(strips[0].bottomLeft, 0.0f, 5.0f, "strip 0 bottom left");
  expectCorner(strips[0].topLeft, 0.0f, 35.0f, "strip 0 top left");
  expectCorner(strips[0].topRight, 1.0f, 35.0f, "strip 0 top right");
  expectCorner(strips[0].bottomRight, 1.0f, 5.0f, "strip 0 bottom right");

  // The float roundings of 0.8, 1.8 and 5.2 (level 1 / 5 + 5).
  expectCorner(strips[1].bottomLeft, 0.800000011920929f, 6.0f, "strip 1 bottom left");
  expectCorner(strips[1].topLeft, 0.800000011920929f, 36.0f, "strip 1 top left");
  expectCorner(strips[1].topRight, 1.7999999523162842f, 37.0f, "strip 1 top right");
  expectCorner(strips[1].bottomRight, 1.7999999523162842f, 5.199999809265137f,
               "strip 1 bottom right");

  // The position is summed, not multiplied: strip 125 starts just short of 100.
  EXPECT_EQ(strips[125].bottomLeft.x, static_cast<float>(99.99999999999977));
  EXPECT_EQ(strips[125].topRight.x, static_cast<float>(100.99999999999977));
}

TEST(FlameBand, FlickerLiftsOnlyTheTopCornersAndReachesPastTheView) {
  // The frame that starts at (22, 25, rising) after a tick has lifted it.
  FlameState lifted;
  lifted.level = 22;
  lifted.crest = 25;
  lifted.phase = 0;
  lifted.flicker = 22.199999999999953;
  FlameState flat = lifted;
  flat.flicker = 0.0;

  const std::vector<Strip> up = layOutFrame(lifted);
  const std::vector<Strip> down = layOutFrame(flat);
  ASSERT_EQ(up.size(), down.size());

  float highest = 0.0f;
  int stripsAtHighest = 0;
  for (std::size_t i = 0; i < up.size(); ++i) {
    EXPECT_EQ(up[i].bottomLeft.y, down[i].bottomLeft.y) << i;
    EXPECT_EQ(up[i].bottomRight.y, down[i].bottomRight.y) << i;
    EXPECT_GT(up[i].topLeft.y, down[i].topLeft.y) << i;
    if (up[i].topRight.y > highest) {
      highest = up[i].topRight.y;
      stripsAtHighest = 0;
    }
    if (up[i].topRight.y == highest) ++stripsAtHighest;
  }
  // (35 + 22.199999999999953) + (24 + 24) in double, then rounded once. The
  // frame passes level 24 twice, at its start and again after a whole cycle.
  EXPECT_EQ(highest, 105.19999694824219f);
  EXPECT_EQ(stripsAtHighest, 4);
}
