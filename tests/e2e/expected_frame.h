// What the program should show, worked out from the model, so that captured
// pictures (from the X window or from the web page) can be checked pixel by
// pixel and named.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "flame/flame_state.h"
#include "picture.h"

namespace e2e {

// Counts the pixels of `picture` that disagree with the frame drawn from
// `start`, stretched to the picture's size. Only pixels clear of every edge by
// more than a pixel and a half are judged, so rasterisation rules do not matter:
// outside every strip, black; inside the top strip, full red, no blue, and the
// green its corners blend to there (orange, red, red, yellow). `firstFault`
// describes the first disagreement found.
int countMismatches(const Picture& picture, const FlameState& start, std::string* firstFault);

// Why `frames` are not consecutive tick frames round the cycle, the first
// being tick frame `firstFrame` (any, if negative); empty if they are.
std::string tickSequenceFault(const std::vector<Picture>& frames, int firstFrame = -1);

// Why `frames` are not what the program shows from its start: one to
// `mostPaints` paints, before the first tick, each the next state's frame with
// the band's top not lifted, then consecutive tick frames, identical a cycle apart.
// A window system may ask for more than one paint as the window appears
// (freeglut merges its own first redisplay with the Expose only when both are
// waiting, and Wine paints a new window more than once), and a paint can come
// and go before it is seen. Sets `*paints` to the number of paints seen.
std::string startupFault(const std::vector<Picture>& frames, std::size_t mostPaints,
                         std::size_t* paints);

}  // namespace e2e
