// Records from the running program's window the frame it draws first
// (first.ppm) and one whole cycle of tick frames (frame-00.ppm ...).
// Usage: flames_record OUT_DIR   (inside scripts/xsession.sh)
#include <X11/X.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <exception>
#include <fstream>
#include <ios>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/flame_band.h"
#include "picture.h"
#include "x_session.h"

using namespace e2e;

namespace {

// As a binary PPM, which ImageMagick reads.
void savePicture(const Picture& picture, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
  for (std::uint32_t p : picture.pixels) {
    const char rgb[3] = {static_cast<char>(red(p)), static_cast<char>(green(p)),
                         static_cast<char>(blue(p))};
    out.write(rgb, 3);
  }
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

int record(const std::string& dir) {
  Program flames{FLAMES_EXE};
  XSession x;
  const Window window = x.waitForWindow(flames.pid(), Millis(10000));
  // The frame drawn when the window appeared is kept apart: the loop is made of ticks.
  Picture last = window == 0 ? Picture{} : x.waitForFirstFrame(window, Millis(3000));
  if (last.pixels.empty()) {
    std::fprintf(stderr, "flames_record: the program showed no window\n");
    return 1;
  }
  savePicture(last, dir + "/first.ppm");
  // Frames until the last ones are a whole cycle and its first again: all
  // different, and the last equal to the first, so that none was missed.
  const std::size_t cycle = kFramesPerCycle;
  std::deque<Picture> frames;
  for (std::size_t seen = 0; seen < 3 * (cycle + 1); ++seen) {
    last = x.waitForChange(window, last, Clock::now() + Millis(2000));
    if (last.pixels.empty()) break;
    frames.push_back(last);
    if (frames.size() > cycle + 1) frames.pop_front();
    std::set<std::vector<std::uint32_t>> distinct;
    for (std::size_t i = 0; i < cycle && i < frames.size(); ++i) distinct.insert(frames[i].pixels);
    if (distinct.size() == cycle && frames.size() == cycle + 1 && frames.back() == frames.front()) {
      for (std::size_t i = 0; i < cycle; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%02zu.ppm", i);
        savePicture(frames[i], dir + name);
      }
      return 0;
    }
  }
  std::fprintf(stderr, "flames_record: no %zu consecutive different frames\n", cycle);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
    return 2;
  }
  try {
    return record(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "flames_record: %s\n", e.what());
    return 1;
  }
}
