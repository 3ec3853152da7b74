// Judges frames read back from the web page by the same predictor as the X11
// window's. They come on standard input one after another, each as WebGL
// reads it: RGBA, bottom row first.
// Usage: flames_check_frames (startup | ticks) WIDTH HEIGHT < FRAMES
//   startup: the initial state's frame, then tick frames from the cycle's second
//   ticks:   consecutive tick frames from anywhere in the cycle
// Prints the fault and exits 1, if any.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "expected_frame.h"
#include "picture.h"

int main(int argc, char** argv) {
  const long width = argc == 4 ? std::strtol(argv[2], nullptr, 10) : 0;
  const long height = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 0;
  const std::string rgba{std::istreambuf_iterator<char>(std::cin), {}};
  const long frameBytes = 4 * width * height;
  if (frameBytes <= 0 || rgba.empty() || static_cast<long>(rgba.size()) % frameBytes != 0) {
    std::fprintf(stderr, "usage: %s (startup | ticks) WIDTH HEIGHT < RGBA FRAMES\n", argv[0]);
    return 2;
  }
  std::vector<e2e::Picture> frames;
  for (long at = 0; at < static_cast<long>(rgba.size()); at += frameBytes) {
    e2e::Picture& frame =
        frames.emplace_back(e2e::Picture{static_cast<int>(width), static_cast<int>(height), {}});
    for (long y = height - 1; y >= 0; --y) {
      const auto* p = reinterpret_cast<const unsigned char*>(rgba.data()) + at + 4 * y * width;
      for (long x = 0; x < width; ++x, p += 4) {
        frame.pixels.push_back(static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]));
      }
    }
  }
  // The page paints once before the first tick: nothing else asks it to.
  std::size_t paints = 0;
  const std::string fault = std::string(argv[1]) == "startup"
                                ? e2e::startupFault(frames, 1, &paints)
                                : e2e::tickSequenceFault(frames);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    return 1;
  }
  std::printf("%zu frames at %ldx%ld as the model draws them\n", frames.size(), width, height);
  return 0;
}
