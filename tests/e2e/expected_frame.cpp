#include "expected_frame.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include "app/flame_band.h"
#include "flame/flame_state.h"
#include "picture.h"

namespace e2e {

namespace {

// How far a judged colour channel may stray from the model's, out of 255:
// Mesa comes within 1.6 and the browser within 1/255 of Mesa.
constexpr int kColourTolerance = 4;

struct Span {
  double low;
  double high;
};

Span across(const StripCorner& left, const StripCorner& right, double x0, double x1) {
  const double slope = (right.y - left.y) / (right.x - left.x);
  const double a = left.y + slope * (x0 - left.x), b = left.y + slope * (x1 - left.x);
  return {std::min(a, b), std::max(a, b)};
}

// The green a strip's smooth shading gives at (x, y), 0 to 255. GL draws the
// quad as the triangles bottom left, top left, top right and bottom left, top
// right, bottom right, and blends the corner colours across each.
double greenAt(const Strip& s, double x, double y) {
  const StripCorner &a = s.bottomLeft, &c = s.topRight;
  const bool upperTriangle = (c.x - a.x) * (y - a.y) - (c.y - a.y) * (x - a.x) > 0;
  const StripCorner& b = upperTriangle ? s.topLeft : s.bottomRight;
  const double greenOfB = upperTriangle ? 0.0 : 1.0;  // red or yellow; a is orange, c red
  const double d = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
  const double weightA = ((b.y - c.y) * (x - c.x) + (c.x - b.x) * (y - c.y)) / d;
  const double weightB = ((c.y - a.y) * (x - c.x) + (a.x - c.x) * (y - c.y)) / d;
  return 255.0 * (0.5 * weightA + greenOfB * weightB);
}

// The states a cycle's tick frames start from, each with the flicker its tick set.
std::vector<FlameState> tickFrameStarts() {
  std::vector<FlameState> starts;
  FlameState state;
  for (int i = 0; i < kFramesPerCycle; ++i) {
    computeFlicker(state);  // as the tick does; the steps ignore the flicker
    starts.push_back(state);
    for (int strip = 0; strip < kStripsPerFrame; ++strip) stepFlame(state);
  }
  return starts;
}

}  // namespace

int countMismatches(const Picture& picture, const FlameState& start, std::string* firstFault) {
  FlameState state = start;
  std::vector<Strip> strips;
  forEachStrip(state, [&](const Strip& s) { strips.push_back(s); });

  const double unitX = 100.0 / picture.width, unitY = 100.0 / picture.height;
  const double marginY = 1.5 * unitY;
  int mismatches = 0;
  auto fault = [&](int px, int py, const std::string& what) {
    if (mismatches++ == 0 && firstFault != nullptr) {
      char where[64];
      std::snprintf(where, sizeof where, " at pixel (%d, %d), found %06x", px, py,
                    picture.at(px, py));
      *firstFault = what + where;
    }
  };

  for (int px = 0; px < picture.width; ++px) {
    // The world x range this pixel column may stand for, widened by a quarter pixel.
    const double x0 = (px + 0.25) * unitX, x1 = (px + 0.75) * unitX;
    const Strip* top = nullptr;  // the last strip drawn over the whole column
    double unionHigh = -1e9, unionLow = 1e9;
    bool onAnEdge = false;
    for (const Strip& s : strips) {
      const double left = s.topLeft.x, right = s.topRight.x;
      if (right < x0 || left > x1) continue;
      unionHigh = std::max(unionHigh, across(s.topLeft, s.topRight, x0, x1).high);
      unionLow = std::min(unionLow, across(s.bottomLeft, s.bottomRight, x0, x1).low);
      if (left <= x0 && right >= x1) {
        top = &s;
      } else {
        onAnEdge = true;  // a strip starts or ends inside this column
      }
    }
    for (int py = 0; py < picture.height; ++py) {
      const double y = (picture.height - py - 0.5) * unitY;
      const std::uint32_t p = picture.at(px, py);
      if (y > unionHigh + marginY || y < unionLow - marginY) {
        if (p != 0) fault(px, py, "expected black");
        continue;
      }
      if (top == nullptr || onAnEdge) continue;
      if (y >= across(top->topLeft, top->topRight, x0, x1).low - marginY ||
          y <= across(top->bottomLeft, top->bottomRight, x0, x1).high + marginY) {
        continue;
      }
      const double expected = greenAt(*top, (px + 0.5) * unitX, y);
      if (red(p) < 255 - kColourTolerance || blue(p) > kColourTolerance ||
          std::abs(green(p) - expected) > kColourTolerance) {
        fault(px, py, "expected green " + std::to_string(std::lround(expected)));
      }
    }
  }
  return mismatches;
}

std::string tickSequenceFault(const std::vector<Picture>& frames, int firstFrame) {
  const std::vector<FlameState> starts = tickFrameStarts();
  int expected = firstFrame;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    for (int k = 0; expected < 0 && k < kFramesPerCycle; ++k) {  // any tick frame, to begin with
      if (countMismatches(frames[i], starts[k], nullptr) == 0) expected = k;
    }
    std::string fault = "it is none of them";
    if (expected < 0 || countMismatches(frames[i], starts[expected], &fault) != 0) {
      return "frame " + std::to_string(i) + " is not tick frame " + std::to_string(expected) +
             ": " + fault;
    }
    expected = (expected + 1) % kFramesPerCycle;
  }
  return {};
}

std::string startupFault(const std::vector<Picture>& frames, std::size_t mostPaints,
                         std::size_t* paints) {
  std::vector<FlameState> unlifted = tickFrameStarts();
  for (FlameState& state : unlifted) state.flicker = 0.0;
  // The ticks' frames after `seen` paints, of which `missed` came and went unseen.
  auto faultAfterPaints = [&](std::size_t missed, std::size_t seen) {
    const std::vector<Picture> ticks(frames.begin() + static_cast<std::ptrdiff_t>(seen),
                                     frames.end());
    std::string fault = tickSequenceFault(ticks, static_cast<int>(missed + seen));
    for (std::size_t i = 0; fault.empty() && i + kFramesPerCycle < ticks.size(); ++i) {
      if (ticks[i] != ticks[i + kFramesPerCycle]) {
        fault =
            "tick " + std::to_string(i) + " and " + std::to_string(i + kFramesPerCycle) + " differ";
      }
    }
    return fault;
  };
  for (std::size_t missed = 0; missed < mostPaints; ++missed) {
    for (std::size_t seen = 1; missed + seen <= mostPaints && seen < frames.size(); ++seen) {
      bool paintsMatch = true;
      for (std::size_t i = 0; i < seen && paintsMatch; ++i) {
        paintsMatch = countMismatches(frames[i], unlifted[missed + i], nullptr) == 0;
      }
      if (paintsMatch && faultAfterPaints(missed, seen).empty()) {
        *paints = seen;
        return {};
      }
    }
  }
  // Where the plainest start, one paint seen, fails.
  std::string fault;
  if (frames.empty()) return "no frames";
  if (countMismatches(frames[0], FlameState{}, &fault) != 0) {
    return "the first frame is not the initial state's: " + fault;
  }
  return faultAfterPaints(0, 1);
}

}  // namespace e2e
