// Checks frames captured from the web page against the model, as the X11
// end-to-end tests check the window: the initial state's frame, then tick
// frames round the cycle, identical 13 apart.
// Usage: flames_check_frames FRAME.ppm...   Prints the fault and exits 1, if any.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "expected_frame.h"

using namespace e2e;

namespace {

Picture loadPicture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  Picture picture;
  in >> magic >> picture.width >> picture.height >> maxValue;
  in.get();
  for (int i = 0; in && magic == "P6" && i < picture.width * picture.height; ++i) {
    unsigned char rgb[3] = {};
    in.read(reinterpret_cast<char*>(rgb), 3);
    picture.pixels.push_back(static_cast<std::uint32_t>(rgb[0] << 16 | rgb[1] << 8 | rgb[2]));
  }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Picture> frames;
  for (int i = 1; i < argc; ++i) {
    frames.push_back(loadPicture(argv[i]));
    if (frames.back().pixels.empty() ||
        frames.back().pixels.size() !=
            static_cast<std::size_t>(frames.back().width) * frames.back().height) {
      std::fprintf(stderr, "%s is no whole binary PPM\n", argv[i]);
      return 1;
    }
  }
  const std::string fault = startupFramesFault(frames);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    return 1;
  }
  std::printf("%zu frames as the model draws them\n", frames.size());
  return 0;
}
