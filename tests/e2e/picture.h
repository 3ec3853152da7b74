// A picture as the tests judge it, whether read from the X window or from the
// web page: no X11 here, so that judging needs none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace e2e {

// A window's pixels, 0xRRGGBB, row by row from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const Picture& other) const {
    return width == other.width && height == other.height && pixels == other.pixels;
  }
  bool operator!=(const Picture& other) const { return !(*this == other); }
};

inline int red(std::uint32_t p) {
  return static_cast<int>((p >> 16) & 0xffU);
}
inline int green(std::uint32_t p) {
  return static_cast<int>((p >> 8) & 0xffU);
}
inline int blue(std::uint32_t p) {
  return static_cast<int>(p & 0xffU);
}

}  // namespace e2e
