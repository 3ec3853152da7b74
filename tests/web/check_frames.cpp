// Checks frames captured from the web page against the model, as the X11
// end-to-end tests check the window: the initial state's frame, then tick
// frames round the cycle, identical 13 apart.
// Usage: flames_check_frames FRAME.ppm...   Prints the fault and exits 1, if any.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "expected_frame.h"

int main(int argc, char** argv) {
  std::vector<e2e::Picture> frames;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    std::string magic;
    int maxValue = 0;
    e2e::Picture& frame = frames.emplace_back();
    in >> magic >> frame.width >> frame.height >> maxValue;
    in.get();
    std::vector<unsigned char> rgb(3 *
                                   std::clamp(1LL * frame.width * frame.height, 0LL, 1LL << 24));
    if (!in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size())) ||
        magic != "P6" || rgb.empty()) {
      std::fprintf(stderr, "%s is no binary PPM\n", argv[i]);
      return 1;
    }
    for (std::size_t k = 0; k < rgb.size(); k += 3) {
      frame.pixels.push_back(
          static_cast<std::uint32_t>(rgb[k] << 16 | rgb[k + 1] << 8 | rgb[k + 2]));
    }
  }
  const std::string fault = e2e::startupFramesFault(frames);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    return 1;
  }
  std::printf("%zu frames as the model draws them\n", frames.size());
  return 0;
}
