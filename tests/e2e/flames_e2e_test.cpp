// The real program in a real X server with a real window manager: its window,
// its title, its frames and their rhythm, and how it takes what users do to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "expected_frame.h"
#include "x_harness.h"

using namespace e2e;

namespace {

const char* const kTitle = "Языки пламени";
constexpr int kCycle = 13;  // frames before the picture repeats

// The 13 states frames start from, with the flicker the tick before each sets.
std::vector<FlameState> tickFrameStarts() {
  std::vector<FlameState> starts;
  FlameState state;
  for (int i = 0; i < kCycle; ++i) {
    FlameState start = state;
    computeFlicker(start);
    starts.push_back(start);
    for (int strip = 0; strip < 126; ++strip) stepFlame(state);
  }
  return starts;
}

// Which of the given frames the picture shows, or -1 (with the reason).
int identifyFrame(const Picture& picture, const std::vector<FlameState>& starts, std::string* why) {
  std::string fault;
  int fewest = -1, fewestCount = 0;
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const int count = countMismatches(picture, starts[k], &fault);
    if (count == 0) return static_cast<int>(k);
    if (fewest < 0 || count < fewestCount) {
      fewest = static_cast<int>(k);
      fewestCount = count;
      *why = "closest is frame " + std::to_string(k) + " with " + std::to_string(count) +
             " wrong pixels, first: " + fault;
    }
  }
  return -1;
}

int identifyTickFrame(const Picture& picture, std::string* why) {
  return identifyFrame(picture, tickFrameStarts(), why);
}

// A redraw the window system asks for starts wherever the flame is, and keeps
// the flicker of the last tick: any of the 13 states with any tick's flicker.
bool isAnyFrame(const Picture& picture, std::string* why) {
  std::vector<FlameState> starts;
  for (const FlameState& state : tickFrameStarts()) {
    for (const FlameState& tick : tickFrameStarts()) {
      starts.push_back(state);
      starts.back().flicker = tick.flicker;
    }
  }
  return identifyFrame(picture, starts, why) >= 0;
}

class FlamesWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window = x.waitForWindow(flames.pid(), Millis(10000));
    ASSERT_NE(window, 0u) << "no window for the program within 10 s";
    first = x.waitForFirstFrame(window, Millis(3000));
    ASSERT_FALSE(first.pixels.empty()) << "nothing was drawn";
  }

  // Waits for the next `count` frames, each of which must be a tick frame that
  // follows the one before it round the cycle, the first being `firstFrame`
  // where that is given. Returns the pictures.
  std::vector<Picture> expectConsecutiveTickFrames(Picture& last, int count, int firstFrame = -1) {
    std::vector<Picture> pictures;
    int previous = firstFrame >= 0 ? (firstFrame + kCycle - 1) % kCycle : -1;
    for (int i = 0; i < count; ++i) {
      last = x.waitForChange(window, last, Clock::now() + Millis(3000));
      if (last.pixels.empty()) {
        ADD_FAILURE() << "the picture stopped changing after " << i << " frames";
        break;
      }
      std::string why;
      const int k = identifyTickFrame(last, &why);
      if (k < 0) {
        const std::string path = ::testing::TempDir() + "flames-unexpected-frame.ppm";
        savePicture(last, path);
        ADD_FAILURE() << "frame " << i << " is no tick frame: " << why << " (saved as " << path
                      << ")";
      }
      if (previous >= 0 && k >= 0) {
        EXPECT_EQ(k, (previous + 1) % kCycle) << "frame " << i << " did not follow on";
      }
      previous = k;
      pictures.push_back(last);
    }
    return pictures;
  }

  // The first picture the program draws after the window system disturbed the
  // window. Until then the window shows whatever the server left there: the
  // old picture cut to the new size, black, or bits of the window manager's frame.
  Picture nextRedraw(Picture last) {
    const auto deadline = Clock::now() + Millis(3000);
    std::string why;
    do {
      last = x.waitForChange(window, last, deadline);
      EXPECT_FALSE(last.pixels.empty()) << "no redraw showing the band";
    } while (!last.pixels.empty() && !isAnyFrame(last, &why));
    return last;
  }

  // After something made the window system ask for redraws: each redraw must
  // show the band (from wherever the flame was, with the last tick's flicker),
  // and soon the frames must follow on tick by tick again.
  void expectBackOnTicks(Picture& last) {
    std::string why;
    for (int redraws = 0; identifyTickFrame(last, &why) < 0; ++redraws) {
      if (!isAnyFrame(last, &why)) {
        const std::string path = ::testing::TempDir() + "flames-unexpected-redraw.ppm";
        savePicture(last, path);
        FAIL() << "not the band at " << last.width << " x " << last.height << ": " << why
               << " (saved as " << path << ")";
      }
      ASSERT_LT(redraws, 4) << "no tick frame after " << redraws << " redraws";
      last = x.waitForChange(window, last, Clock::now() + Millis(3000));
      ASSERT_FALSE(last.pixels.empty()) << "the picture stopped changing";
    }
    expectConsecutiveTickFrames(last, 3);
    EXPECT_TRUE(flames.running());
  }

  Program flames{FLAMES_EXE};
  XSession x;
  Window window = 0;
  Picture first;
};

}  // namespace

TEST_F(FlamesWindow, OpensAt200By100At500By500UnderItsTitle) {
  // openbox puts the frame where the program asked and the client inside it.
  const auto client = x.rootGeometry(window);
  const auto extents = x.cardinalProperty(window, "_NET_FRAME_EXTENTS");  // left right top bottom
  ASSERT_EQ(extents.size(), 4u);
  EXPECT_EQ(client.x - extents[0], 200);
  EXPECT_EQ(client.y - extents[2], 100);
  EXPECT_EQ(client.width, 500);
  EXPECT_EQ(client.height, 500);

  EXPECT_EQ(x.utf8Property(window, "_NET_WM_NAME"), kTitle);
  EXPECT_EQ(x.utf8Property(window, "_NET_WM_ICON_NAME"), kTitle);
  EXPECT_EQ(x.legacyName(window), kTitle) << "WM_NAME, for window managers without _NET_WM_NAME";
  // What openbox itself shows in the title bar.
  const auto deadline = Clock::now() + Millis(2000);
  while (x.utf8Property(window, "_NET_WM_VISIBLE_NAME") != kTitle && Clock::now() < deadline) {
    std::this_thread::sleep_for(Millis(10));
  }
  EXPECT_EQ(x.utf8Property(window, "_NET_WM_VISIBLE_NAME"), kTitle);
}

TEST_F(FlamesWindow, DrawsTheFirstFrameThenOneFramePerTickRepeatingEvery13) {
  // Before the first tick, the frame the window system asked for: the band
  // from the initial state, without flicker.
  std::string fault;
  EXPECT_EQ(countMismatches(first, FlameState{}, &fault), 0) << fault;

  // Then the ticks, each bringing the next frame round the cycle: the first
  // tick's frame is the second of the cycle, so nothing else drew in between.
  Picture last = first;
  std::vector<Picture> pictures = expectConsecutiveTickFrames(last, 1, 1);
  const auto firstTick = Clock::now();
  const auto more = expectConsecutiveTickFrames(last, 2 * kCycle, 2);
  ASSERT_FALSE(HasFailure());
  pictures.insert(pictures.end(), more.begin(), more.end());
  const double perTickMs =
      std::chrono::duration<double, std::milli>(Clock::now() - firstTick).count() / (2 * kCycle);
  EXPECT_GT(perTickMs, 145.0);
  EXPECT_LT(perTickMs, 200.0);

  // The picture repeats exactly after 13 ticks and never within them.
  std::set<std::vector<std::uint32_t>> distinct;
  for (int i = 0; i < kCycle; ++i) distinct.insert(pictures[i].pixels);
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kCycle));
  for (std::size_t i = 0; i + kCycle < pictures.size(); ++i) {
    EXPECT_TRUE(pictures[i] == pictures[i + kCycle]) << "tick " << i << " and " << i + kCycle;
  }
}

TEST_F(FlamesWindow, KeysClicksResizingAndMinimisingLeaveItAnimating) {
  Picture last = first;
  expectConsecutiveTickFrames(last, 1);

  for (const char* key : {"Escape", "q", "space", "Return", "a"}) x.pressKey(key);
  for (unsigned button : {1u, 2u, 3u, 4u, 5u}) x.clickAt(window, 250, 250, button);
  // Input asks for no redraw: the frames still come one per tick, in order.
  expectConsecutiveTickFrames(last, 3);

  // A resize stretches the view over the new size and brings an extra redraw.
  x.resize(window, 320, 200);
  const auto deadline = Clock::now() + Millis(3000);
  while (x.rootGeometry(window).width != 320 && Clock::now() < deadline) {
    std::this_thread::sleep_for(Millis(10));
  }
  ASSERT_EQ(x.rootGeometry(window).width, 320);
  ASSERT_EQ(x.rootGeometry(window).height, 200);
  last = nextRedraw(last);
  ASSERT_EQ(last.width, 320);
  ASSERT_EQ(last.height, 200);
  expectBackOnTicks(last);

  // Minimised, it may draw unseen; restored, it goes on.
  x.minimise(window);
  std::this_thread::sleep_for(Millis(500));
  x.restore(window);
  last = nextRedraw(last);
  expectBackOnTicks(last);
}

TEST_F(FlamesWindow, ClosingThroughTheWindowManagerEndsItWithStatusZero) {
  Picture last = first;
  expectConsecutiveTickFrames(last, 1);
  x.closeThroughWindowManager(window);
  EXPECT_EQ(flames.waitForExit(Millis(5000)), 0);
  EXPECT_EQ(flames.output(), "") << "the program should print nothing";
}
