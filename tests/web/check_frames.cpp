// Judges frames read back from the web page by the same predictor as the X11
// window's. Each file holds one frame as WebGL reads it: RGBA, bottom row first.
// Usage: flames_check_frames (startup | ticks) WIDTH HEIGHT FRAME...
//   startup: the initial state's frame, then tick frames from the cycle's second
//   ticks:   consecutive tick frames from anywhere in the cycle
// Prints the fault and exits 1, if any.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "expected_frame.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s (startup | ticks) WIDTH HEIGHT FRAME...\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  const long width = std::strtol(argv[2], nullptr, 10), height = std::strtol(argv[3], nullptr, 10);
  std::vector<e2e::Picture> frames;
  for (int i = 4; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string rgba{std::istreambuf_iterator<char>(in), {}};
    if (width <= 0 || height <= 0 || static_cast<long>(rgba.size()) != 4 * width * height) {
      std::fprintf(stderr, "%s is no %ldx%ld RGBA frame\n", argv[i], width, height);
      return 1;
    }
    e2e::Picture& frame =
        frames.emplace_back(e2e::Picture{static_cast<int>(width), static_cast<int>(height), {}});
    for (long y = height - 1; y >= 0; --y) {
      const auto* p = reinterpret_cast<const unsigned char*>(rgba.data()) + 4 * y * width;
      for (long x = 0; x < width; ++x, p += 4) {
        frame.pixels.push_back(static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]));
      }
    }
  }
  const std::string fault =
      mode == "startup" ? e2e::startupFramesFault(frames) : e2e::tickFramesFault(frames);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    return 1;
  }
  std::printf("%zu frames at %ldx%ld as the model draws them\n", frames.size(), width, height);
  return 0;
}
