// Records from the running program's window the frame it draws first
// (first.ppm) and one whole cycle of tick frames (frame-00.ppm ...), proven
// consecutive: the frame after the cycle equals the first, and the cycle's all
// differ. Usage: flames_record OUT_DIR   (inside scripts/xsession.sh)
#include <X11/X.h>
#include <cstdio>
#include <string>
#include <vector>

#include "app/flame_band.h"

#include "x_session.h"

using namespace e2e;

namespace {

constexpr int kAttempts = 3;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
    return 2;
  }
  Program flames{FLAMES_EXE};
  XSession x;
  const Window window = x.waitForWindow(flames.pid(), Millis(10000));
  if (window == 0) {
    std::fprintf(stderr, "flames_record: the program opened no window\n");
    return 1;
  }
  // The frame drawn when the window appeared is kept apart: the loop is made of ticks.
  Picture last = x.waitForFirstFrame(window, Millis(3000));
  savePicture(last, argv[1] + std::string("/first.ppm"));
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    const std::vector<Picture> frames = x.nextFrames(window, last, kFramesPerCycle + 1);
    const std::string fault = cycleFault(frames, kFramesPerCycle);
    if (fault.empty()) {
      for (int i = 0; i < kFramesPerCycle; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%02d.ppm", i);
        savePicture(frames[i], argv[1] + std::string(name));
      }
      return 0;
    }
    std::fprintf(stderr, "flames_record: attempt %d of %d: %s\n", attempt, kAttempts,
                 fault.c_str());
    if (frames.empty()) break;
    last = frames.back();
  }
  std::fprintf(stderr, "flames_record: could not record 13 consecutive frames\n");
  return 1;
}
