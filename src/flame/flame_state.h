// The flame model: one small record and the two rules that move it.
//
// The band on screen follows a single number, the flame level, which climbs by
// whole steps to a crest and falls back to zero; the crest grows by 5 from one
// rise to the next (15, 20, 25, then 15 again). stepFlame runs once per strip
// drawn, computeFlicker once per timer tick. Everything is plain double
// arithmetic, done in a fixed order: the picture depends on every rounding.
#pragma once

#include <cstdint>

struct FlameState {
  double level = 0.0;      // whole numbers only; 0 to 24 between steps
  double crest = 15.0;     // where the current rise turns; 15, 20 or 25 between steps
  std::int32_t phase = 0;  // 0 rising, 1 falling
  double flicker = 0.0;    // lift of the band's top edge; written by computeFlicker only
};

// Steps before the level, crest and phase come round to where they started:
// 29 with crest 15, 39 with crest 20, 49 with crest 25.
constexpr int kStepsPerCycle = 117;

// Moves the level one step along its rise-and-fall cycle.
void stepFlame(FlameState& state);

// While rising, sets flicker to the first running sum of 0.2 that exceeds the
// level; while falling, to 0.
void computeFlicker(FlameState& state);
