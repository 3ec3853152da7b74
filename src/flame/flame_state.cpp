// The two rules of the flame model. The order of the tests in stepFlame is
// part of the behaviour: each test sees what the ones before it changed.
#include "flame_state.h"

void stepFlame(FlameState& state) {
  if (state.crest > state.level && state.phase == 0) {
    state.level += 1.0;
  }
  // Reaching the crest turns the flame and drops it back by one in the same
  // step, so the level never rests at the crest itself.
  if (state.crest <= state.level) {
    state.phase = 1;
  }
  if (state.phase == 1 && state.level > 0.0) {
    state.level -= 1.0;
  }
  if (state.level <= 0.0) {
    state.phase = 0;
    state.level = 0.0;
    state.crest += 5.0;
  }
  if (state.crest >= 30.0) {
    state.crest = 15.0;
  }
}

void computeFlicker(FlameState& state) {
  state.flicker = 0.0;
  if (state.phase == 0) {
    // Repeated addition on purpose: its rounding (3.0000000000000004 for
    // level 3) is what lifts the band, and a multiplication would differ.
    while (state.level >= state.flicker) {
      state.flicker += 0.2;
    }
  }
}
