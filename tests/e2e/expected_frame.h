// What the window should show for a given flame state, worked out from the
// model, so that a captured picture can be checked pixel by pixel and named.
#pragma once

#include <string>
#include <vector>

#include "app/flame_band.h"
#include "x_harness.h"

namespace e2e {

// Counts the pixels of `picture` that disagree with the frame drawn from
// `start`, stretched to the picture's size. Only pixels clear of every edge by
// more than a pixel and a half are judged, so rasterisation rules do not matter:
// inside the top strip, red at full strength and no blue (red near the top
// edge, orange or yellow near the bottom); outside every strip, black.
// `firstFault` describes the first disagreement found.
int countMismatches(const Picture& picture, const FlameState& start, std::string* firstFault);

}  // namespace e2e
