#include "expected_frame.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace e2e {

namespace {

struct Span {
  double low;
  double high;
};

// The heights of the top and bottom edges of a strip across [x0, x1].
Span topAcross(const Strip& s, double x0, double x1) {
  const double left = s.topLeft.x, slope = s.topRight.y - s.topLeft.y;
  const double a = s.topLeft.y + slope * (x0 - left), b = s.topLeft.y + slope * (x1 - left);
  return {std::min(a, b), std::max(a, b)};
}

Span bottomAcross(const Strip& s, double x0, double x1) {
  const double left = s.bottomLeft.x, slope = s.bottomRight.y - s.bottomLeft.y;
  const double a = s.bottomLeft.y + slope * (x0 - left), b = s.bottomLeft.y + slope * (x1 - left);
  return {std::min(a, b), std::max(a, b)};
}

}  // namespace

int countMismatches(const Picture& picture, const FlameState& start, std::string* firstFault) {
  FlameState state = start;
  std::vector<Strip> strips;
  forEachStrip(state, [&](const Strip& s) { strips.push_back(s); });

  const double unitX = 100.0 / picture.width, unitY = 100.0 / picture.height;
  const double marginY = 1.5 * unitY;
  int mismatches = 0;
  auto fault = [&](int px, int py, const char* what) {
    if (mismatches++ == 0 && firstFault != nullptr) {
      std::ostringstream text;
      text << what << " at pixel (" << px << ", " << py << "), found 0x" << std::hex
           << picture.at(px, py);
      *firstFault = text.str();
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
      unionHigh = std::max(unionHigh, topAcross(s, x0, x1).high);
      unionLow = std::min(unionLow, bottomAcross(s, x0, x1).low);
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
      const Span topEdge = topAcross(*top, x0, x1), bottomEdge = bottomAcross(*top, x0, x1);
      if (y >= topEdge.low - marginY || y <= bottomEdge.high + marginY) continue;
      if (red(p) < 240 || blue(p) > 15) {
        fault(px, py, "expected flame colour");
      } else if (y > topEdge.low - 4 * unitY && green(p) > 60) {
        fault(px, py, "expected red under the top edge");
      } else if (y < bottomEdge.high + 4 * unitY && green(p) < 100) {
        fault(px, py, "expected orange or yellow above the bottom edge");
      }
    }
  }
  return mismatches;
}

}  // namespace e2e
