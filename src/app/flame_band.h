// Geometry of the flame band: where each of a frame's 126 strips lies.
//
// Pure arithmetic over the flame model, without OpenGL, so that the exact
// numbers a frame hands to OpenGL can be checked. drawFrame walks the band
// with forEachStrip and only issues the GL calls.
#pragma once

#include <numeric>

#include "flame/flame_state.h"

// The strips forEachStrip lays out, one step each; and so the frames before
// the state, and with it the picture, comes round again (13).
constexpr int kStripsPerFrame = 126;
constexpr int kFramesPerCycle = std::lcm(kStepsPerCycle, kStripsPerFrame) / kStripsPerFrame;

// The rhythm frames come in: the first tick a second after start-up, then one
// tick, and so one frame, every 150 ms.
constexpr int kFirstTickMs = 1000;
constexpr int kTickMs = 150;

// One corner as OpenGL receives it: computed in double, rounded to float once.
struct StripCorner {
  float x;
  float y;
};

// Corners in drawing order: bottom left, top left, top right, bottom right.
struct Strip {
  StripCorner bottomLeft;
  StripCorner topLeft;
  StripCorner topRight;
  StripCorner bottomRight;
};

// The strip whose left edge is at x, for the state before this strip's step.
// Each coordinate keeps its own grouping; the grouping decides the rounding.
inline Strip stripAt(double x, const FlameState& state) {
  const double level = state.level;
  const double top = 35.0 + state.flicker;
  return Strip{
      {static_cast<float>(x), static_cast<float>(5.0 + level)},
      {static_cast<float>(x), static_cast<float>(top + level)},
      {static_cast<float>(x + 1.0), static_cast<float>(top + (level + level))},
      {static_cast<float>(x + 1.0), static_cast<float>(level / 5.0 + 5.0)},
  };
}

// Lays out one frame: hands each strip to drawStrip, left to right, stepping
// the flame after each. The position grows by repeated addition of 0.8; its
// accumulated error is what makes 126 strips (the last at 99.99999999999977).
template <typename DrawStrip>
void forEachStrip(FlameState& state, DrawStrip&& drawStrip) {
  // NOLINTNEXTLINE(cert-flp30-c,clang-analyzer-security.FloatLoopCounter): summed on purpose
  for (double x = 0.0; x <= 100.0; x += 0.8) {
    drawStrip(stripAt(x, state));
    stepFlame(state);
  }
}
