// The real program in a real X server with a real window manager: its window,
// its title, its frames and their rhythm, and how it takes what users do to it.
#include <gtest/gtest.h>
// After GoogleTest, whose own None X11's macro would replace.
#include <X11/X.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <ratio>
#include <string>
#include <thread>
#include <vector>

#include "app/flame_band.h"
#include "app/window_icon.h"
#include "expected_frame.h"
#include "picture.h"
#include "x_session.h"

using namespace e2e;

namespace {

// What the build names the program (the title is main.cpp's own).
const char* const kTitle = FLAMES_TITLE;

using FractionalMillis = std::chrono::duration<double, std::milli>;

// What differs with the way the program runs here.
struct Platform {
  // How far from (200, 100) the window may lie: Windows places it by its own
  // border and caption, which Wine maps onto the window manager's frame, each
  // version its own way (3 px off in Wine 8, 10 px in Wine 10).
  int placementSlackPx;
  // How much later than 150 ms a tick may come on average, with both cores
  // busy: under Wine a frame costs more.
  double tickSlackMs;
  // Emulated, a frame's drawing (the GL driver emulated too) can take longer
  // than a tick, and the ticks wait for it: the frames are judged, and the
  // rhythm is judged where the program runs natively.
  bool rhythmJudged;
  // How many paints the window system may ask for as the window appears:
  // Wine paints a new window more than once.
  std::size_t mostPaints;
};
#if defined(FLAMES_UNDER_WINE)
constexpr Platform kPlatform{32, 8.0, true, 4};
#elif defined(FLAMES_EMULATED)
constexpr Platform kPlatform{0, 5.0, false, 3};
#else
constexpr Platform kPlatform{0, 5.0, true, 3};
#endif

// _NET_WM_ICON's pictures by size: width, height, then the pixels, each picture.
// The program's own icons are laid out the same way.
std::map<int, std::vector<std::uint32_t>> iconsOf(const std::vector<long>& property) {
  std::map<int, std::vector<std::uint32_t>> icons;
  for (std::size_t at = 0; at + 2 <= property.size();) {
    const auto width = static_cast<std::size_t>(property[at]);
    const auto end = at + 2 + width * static_cast<std::size_t>(property[at + 1]);
    if (width == 0 || end > property.size()) break;
    auto& pixels = icons[static_cast<int>(width)];
    for (at += 2; at < end; ++at) pixels.push_back(static_cast<std::uint32_t>(property[at]));
  }
  return icons;
}

// Waits up to 3 s for the window manager to catch up.
template <typename Condition>
void waitUntil(Condition condition) {
  const auto deadline = Clock::now() + Millis(3000);
  while (!condition() && Clock::now() < deadline) std::this_thread::sleep_for(Millis(10));
}

class FlamesWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window = x.waitForWindow(flames.pid(), Millis(10000));
    ASSERT_NE(window, 0u) << "no window for the program within 10 s";
    first = x.waitForFirstFrame(window, Millis(3000));
    firstShownAt = Clock::now();
    ASSERT_FALSE(first.pixels.empty()) << "nothing was drawn";
  }

  // The next picture, which must come within 3 s.
  Picture next(const Picture& last) {
    Picture picture = x.waitForChange(window, last, Clock::now() + Millis(3000));
    EXPECT_FALSE(picture.pixels.empty()) << "the picture stopped changing";
    return picture;
  }

  void expectTickFrames(Picture& last, int count) {
    std::vector<Picture> frames;
    for (int i = 0; i < count && !HasFailure(); ++i) frames.push_back(last = next(last));
    EXPECT_EQ(tickSequenceFault(frames), "");
  }

  // After the window system disturbed the window it shows whatever the server
  // left there (the old picture cut to size, black, bits of the window
  // manager's frame, the redraw it asked for) until the next tick; within a
  // few pictures the ticks must follow on again, at the window's size.
  void expectTicksAgain(Picture& last) {
    for (int pictures = 0; !HasFailure() && !tickSequenceFault({last = next(last)}).empty();
         ++pictures) {
      ASSERT_LT(pictures, 8) << "no tick frame at " << last.width << "x" << last.height;
    }
    expectTickFrames(last, 3);
  }

  XSession x;  // watching before the program starts, to see its window created
  Program flames{FLAMES_EXE};
  Window window = 0;
  Picture first;
  Clock::time_point firstShownAt;
};

}  // namespace

TEST_F(FlamesWindow, OpensAt200By100At500By500DoubleBufferedUnderItsTitle) {
  // openbox puts the frame where the program asked and the client inside it.
  const auto client = x.rootGeometry(window);
  const auto extents = x.cardinalProperty(window, "_NET_FRAME_EXTENTS");  // left right top bottom
  ASSERT_EQ(extents.size(), 4u);
  EXPECT_NEAR(client.x - extents[0], 200, kPlatform.placementSlackPx);
  EXPECT_NEAR(client.y - extents[2], 100, kPlatform.placementSlackPx);
  EXPECT_EQ(client.width, 500);
  EXPECT_EQ(client.height, 500);
  // Single-buffered, a frame could be seen half drawn.
  EXPECT_TRUE(x.isDoubleBuffered(window));

  EXPECT_EQ(x.utf8Property(window, "_NET_WM_NAME"), kTitle);
#ifndef FLAMES_UNDER_WINE  // Wine names no icon
  EXPECT_EQ(x.utf8Property(window, "_NET_WM_ICON_NAME"), kTitle);
#endif
  EXPECT_EQ(x.legacyName(window), kTitle) << "WM_NAME, for window managers without _NET_WM_NAME";
  // What openbox itself shows in the title bar.
  waitUntil([&] { return x.utf8Property(window, "_NET_WM_VISIBLE_NAME") == kTitle; });
  EXPECT_EQ(x.utf8Property(window, "_NET_WM_VISIBLE_NAME"), kTitle);
}

// What taskbars, docks, switchers and window rules know the window by, as the
// window manager first saw it: openbox records the class and title its
// per-application rules match when it takes the window on, and reads them no
// more.
TEST_F(FlamesWindow, ShowsTheDesktopItsClassAndIconFromTheStart) {
  const auto icons = iconsOf(x.cardinalProperty(window, "_NET_WM_ICON"));
  auto ours = iconsOf(std::vector<long>(std::begin(kWindowIcon), std::end(kWindowIcon)));
#ifdef FLAMES_UNDER_WINE
  // Wine makes the property from the window class's icon, freeglut's
  // GLUT_ICON resource, and passes its 32-bit pixels on as they are.
  ASSERT_EQ(ours.count(32), 1u) << "the program has no 32 px icon";
  ours = {*ours.find(32)};
#else
  // WM_CLASS, as openbox copied it: the desktop entry's StartupWMClass too.
  EXPECT_EQ(x.utf8Property(window, "_OB_APP_CLASS"), FLAMES_WM_CLASS);
  EXPECT_EQ(x.utf8Property(window, "_OB_APP_NAME"), FLAMES_WM_NAME);
  EXPECT_EQ(x.utf8Property(window, "_OB_APP_TITLE"), kTitle);
  EXPECT_EQ(icons.size(), ours.size()) << "the window has other icon sizes than the program";
#endif
  for (const auto& [size, pixels] : ours) {
    ASSERT_EQ(icons.count(size), 1u) << "the window has no " << size << " px icon";
    EXPECT_TRUE(icons.at(size) == pixels) << "the " << size << " px icon is not the program's";
  }
}

TEST_F(FlamesWindow, DrawsWhenAskedThenOneFramePerTickRepeatingEvery13) {
  std::vector<Picture> frames{first};
  std::vector<Clock::time_point> shown{firstShownAt};
  constexpr std::size_t kTicks = 2 * kFramesPerCycle + 1;
  // The paints the window system asked for as the window appeared, then the
  // ticks' frames, told apart by what they show: a slow start (under an
  // emulator, say) may show its first paint only after the first tick was due.
  while (frames.size() < kPlatform.mostPaints + kTicks) {
    frames.push_back(next(frames.back()));
    shown.push_back(Clock::now());
    ASSERT_FALSE(HasFailure());
  }
  std::size_t firstTick = 0;
  ASSERT_EQ(startupFault(frames, kPlatform.mostPaints, &firstTick), "");

  // Start-up arms the first tick just after creating the window, so its frame
  // comes a second after that, whatever loading the program and its GL driver
  // took before. The rest come 150 ms apart plus the time between arming the
  // timer and the toolkit firing it again, the frame's drawing included.
  const double firstTickMs = FractionalMillis(shown[firstTick] - x.createdAt(window)).count();
  const double perTickMs = FractionalMillis(shown.back() - shown[firstTick]).count() /
                           static_cast<double>(shown.size() - 1 - firstTick);
  std::printf(
      "%zu frame(s) before the first tick; first tick %.1f ms after the window was created, "
      "then one every %.1f ms\n",
      firstTick, firstTickMs, perTickMs);
  if (!kPlatform.rhythmJudged) {
    std::printf("emulated: the rhythm is reported, not judged\n");
    return;
  }
  EXPECT_GT(firstTickMs, 1000.0);
  EXPECT_LT(firstTickMs, 1250.0);
  EXPECT_GT(perTickMs, 147.0);
  EXPECT_LT(perTickMs, 150.0 + kPlatform.tickSlackMs);
}

TEST_F(FlamesWindow, SurvivesKeysClicksResizingAndMinimisingThenClosesWithStatusZero) {
  Picture last = first;
  expectTicksAgain(last);  // after what start-up drew

  for (const char* key : {"Escape", "q", "space", "Return", "a"}) x.pressKey(key);
  for (unsigned button : {1u, 2u, 3u, 4u, 5u}) x.clickAt(window, 250, 250, button);
#ifdef FLAMES_UNDER_WINE
  // A click activates the window, and Wine then has it painted again.
  expectTicksAgain(last);
#else
  // Input asks for no redraw: the frames still come one per tick, in order.
  expectTickFrames(last, 3);
#endif

  // A resize stretches the view over the new size and brings an extra redraw.
  x.resize(window, 320, 200);
  waitUntil([&] { return x.rootGeometry(window).width == 320; });
  ASSERT_EQ(x.rootGeometry(window).width, 320);
  ASSERT_EQ(x.rootGeometry(window).height, 200);
  expectTicksAgain(last);
  ASSERT_EQ(last.width, 320);
  ASSERT_EQ(last.height, 200);

  // Minimised, it may draw unseen; restored, it goes on.
  x.minimise(window);
  std::this_thread::sleep_for(Millis(500));
  x.restore(window);
  expectTicksAgain(last);

  // Closed as users close windows, it ends quietly and well.
  x.closeThroughWindowManager(window);
  EXPECT_EQ(flames.waitForExit(Millis(5000)), 0);
  EXPECT_EQ(flames.output(), "") << "the program should print nothing";
}

#ifdef FLAMES_UNDER_WINE
#include <clocale>
#include <cstdlib>
#include <filesystem>

// freeglut hands Windows the title as bytes of the system's code page; the
// title must show as written whatever that is. Wine takes the code page from
// the locale: Western (1252) or Cyrillic (1251). The locales are made here.
TEST(FlamesUnderWine, ShowsItsTitleUnderAWesternAndARussianLocale) {
  char folder[] = "/tmp/flames-locales.XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  setenv("LOCPATH", folder, 1);
  for (const std::string locale : {"en_US", "ru_RU"}) {
    const std::string name = locale + ".UTF-8";
    const std::string make = "localedef -i " + locale + " -f UTF-8 " + folder + "/" + name;
    ASSERT_EQ(std::system(make.c_str()), 0) << make;
    ASSERT_NE(setlocale(LC_ALL, name.c_str()), nullptr) << "no locale " << name;
    setenv("LC_ALL", name.c_str(), 1);
    XSession x;
    Program flames{FLAMES_EXE};
    const Window window = x.waitForWindow(flames.pid(), Millis(10000));
    ASSERT_NE(window, 0u) << "no window under " << name;
    waitUntil([&] { return x.utf8Property(window, "_NET_WM_NAME") == kTitle; });
    EXPECT_EQ(x.utf8Property(window, "_NET_WM_NAME"), kTitle) << "under " << name;
  }
  std::filesystem::remove_all(folder);
}
#endif
