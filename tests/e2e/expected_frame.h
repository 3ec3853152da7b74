// What the program should show, worked out from the model, so that captured
// pictures (from the X window or from the web page) can be checked pixel by
// pixel and named.
#pragma once

#include <string>
#include <vector>

#include "app/flame_band.h"
#include "x_harness.h"

namespace e2e {

constexpr int kCycle = 13;  // frames before the picture repeats

// Counts the pixels of `picture` that disagree with the frame drawn from
// `start`, stretched to the picture's size. Only pixels clear of every edge by
// more than a pixel and a half are judged, so rasterisation rules do not matter:
// outside every strip, black; inside the top strip, full red, no blue, and the
// green its corners blend to there (orange, red, red, yellow). `firstFault`
// describes the first disagreement found.
int countMismatches(const Picture& picture, const FlameState& start, std::string* firstFault);

// Why `frames` are not consecutive tick frames round the cycle, the first
// being tick frame `firstFrame` (any, if negative); empty if they are.
std::string tickFramesFault(const std::vector<Picture>& frames, int firstFrame = -1);

// Why `ticks` are not consecutive tick frames as tickFramesFault has them,
// each identical to the one 13 before; empty if they are.
std::string ticksFault(const std::vector<Picture>& ticks, int firstTick = -1);

// Why `paints`, drawn before the first tick, are not each the frame of one of
// the states frames start from, with the band's top not lifted; empty if they are.
std::string paintsFault(const std::vector<Picture>& paints);

// Why `frames` are not what the program shows from its start: the frame of the
// initial state, then consecutive tick frames from the second of the cycle,
// identical 13 apart; empty if they are.
std::string startupFramesFault(const std::vector<Picture>& frames);

// As startupFramesFault, for a window watched from outside: the window system
// may ask for a second or third paint as the window appears (freeglut merges
// its own first redisplay with the Expose only when both are waiting), each
// the next state's frame with the band's top not lifted, and a paint can come
// and go before it is seen. Sets `*paints` to the number of paints seen.
std::string windowStartupFault(const std::vector<Picture>& frames, std::size_t* paints);

}  // namespace e2e
