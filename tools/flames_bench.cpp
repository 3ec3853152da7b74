// Measures what the running program costs: CPU, wake-ups, memory and frame
// rhythm, beside a baseline whose frames are empty. With --soak, watches
// resident memory over a long run and checks that the animation still cycles.
//
// Run inside an X session with a window manager (scripts/xsession.sh).
#include <X11/X.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/damagewire.h>
#include <dirent.h>
#include <poll.h>
#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ratio>
#include <string>
#include <vector>

#include "app/flame_band.h"
#include "x_session.h"

using namespace e2e;

namespace {

// Voluntary context switches count wake-ups: each is a sleep that something ended.
struct Counters {
  double cpuSeconds = 0;  // on-CPU time of all threads
  long wakeups = 0;       // voluntary context switches of all threads
};

Counters readCounters(pid_t pid) {
  Counters c;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (dir == nullptr) return c;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    const std::string task = tasks + "/" + entry->d_name;
    std::ifstream schedstat(task + "/schedstat");
    double nanoseconds = 0;
    if (schedstat >> nanoseconds) c.cpuSeconds += nanoseconds / 1e9;
    std::ifstream status(task + "/status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
        c.wakeups += std::strtol(line.c_str() + 24, nullptr, 10);
    }
  }
  closedir(dir);
  return c;
}

double residentMiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  }
  return 0;
}

// Sees each frame the program puts on screen through the X Damage extension,
// without polling the window's pixels.
class FrameWatch {
 public:
  FrameWatch(XSession& x, Window window) : x_(x) {
    int error = 0;
    if (!XDamageQueryExtension(x.display(), &eventBase_, &error)) {
      std::fprintf(stderr, "the X server has no DAMAGE extension\n");
      std::exit(1);
    }
    damage_ = XDamageCreate(x.display(), window, XDamageReportNonEmpty);
    XSync(x.display(), False);
  }
  ~FrameWatch() { XDamageDestroy(x_.display(), damage_); }

  // The times frames arrived during the next `seconds`. One swap may reach
  // the server as several requests, so damage within 20 ms counts once.
  std::vector<Clock::time_point> collect(double seconds) {
    std::vector<Clock::time_point> frames;
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(seconds));
    Display* display = x_.display();
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (Clock::now() < end) {
      if (XPending(display) == 0) {
        const auto left = std::chrono::duration_cast<Millis>(end - Clock::now()).count();
        poll(&fd, 1, static_cast<int>(std::max<long>(left, 0)));
        continue;
      }
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != eventBase_ + XDamageNotify) continue;
      XDamageSubtract(display, damage_, None, None);
      const auto now = Clock::now();
      if (frames.empty() || now - frames.back() > Millis(20)) frames.push_back(now);
    }
    return frames;
  }

 private:
  XSession& x_;
  int eventBase_ = 0;
  Damage damage_ = 0;
};

struct Figures {
  double cpuPercent = 0;
  double wakeupsPerSecond = 0;
  double residentMiB = 0;
  std::size_t frames = 0;
  double medianMs = 0, p99Ms = 0, maxMs = 0;
};

Figures summarise(const Counters& before, const Counters& after, double seconds, double rss,
                  const std::vector<Clock::time_point>& frames) {
  Figures f;
  f.cpuPercent = 100.0 * (after.cpuSeconds - before.cpuSeconds) / seconds;
  f.wakeupsPerSecond = static_cast<double>(after.wakeups - before.wakeups) / seconds;
  f.residentMiB = rss;
  f.frames = frames.size();
  std::vector<double> gaps;
  for (std::size_t i = 1; i < frames.size(); ++i) {
    gaps.push_back(std::chrono::duration<double, std::milli>(frames[i] - frames[i - 1]).count());
  }
  if (!gaps.empty()) {
    std::sort(gaps.begin(), gaps.end());
    f.medianMs = gaps[gaps.size() / 2];
    f.p99Ms = gaps[std::min(gaps.size() - 1,
                            static_cast<std::size_t>(0.99 * static_cast<double>(gaps.size())))];
    f.maxMs = gaps.back();
  }
  return f;
}

struct Running {
  Program program;
  XSession x;
  Window window;
  explicit Running(const std::string& path)
      : program(path), window(x.waitForWindow(program.pid(), Millis(10000))) {
    if (window == 0) {
      std::fprintf(stderr, "%s opened no window\n", path.c_str());
      std::exit(1);
    }
  }
};

Figures measure(const std::string& path, double settle, double seconds) {
  Running run(path);
  FrameWatch watch(run.x, run.window);
  watch.collect(settle);
  const Counters before = readCounters(run.program.pid());
  const auto frames = watch.collect(seconds);
  const Counters after = readCounters(run.program.pid());
  return summarise(before, after, seconds, residentMiB(run.program.pid()), frames);
}

void printTable(const Figures& flames, const Figures& baseline, double seconds) {
  auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
  std::printf("Measured for %.0f s each, after settling; frames are the window's own updates.\n\n",
              seconds);
  std::printf("%-34s %10s %10s %8s\n", "", "flames", "baseline", "ratio");
  std::printf("%-34s %10.2f %10.2f %7.1fx\n", "CPU, % of one core (all threads)", flames.cpuPercent,
              baseline.cpuPercent, ratio(flames.cpuPercent, baseline.cpuPercent));
  std::printf("%-34s %10.1f %10.1f %7.1fx\n", "wake-ups per second", flames.wakeupsPerSecond,
              baseline.wakeupsPerSecond, ratio(flames.wakeupsPerSecond, baseline.wakeupsPerSecond));
  std::printf("%-34s %10.1f %10.1f\n", "resident memory, MiB", flames.residentMiB,
              baseline.residentMiB);
  std::printf("%-34s %10zu %10zu\n", "frames drawn", flames.frames, baseline.frames);
  std::printf("%-34s %10.1f %10.1f\n", "frame interval, median ms (tick 150)", flames.medianMs,
              baseline.medianMs);
  std::printf("%-34s %10.1f %10.1f\n", "frame interval, 99th percentile ms", flames.p99Ms,
              baseline.p99Ms);
  std::printf("%-34s %10.1f %10.1f\n", "frame interval, max ms", flames.maxMs, baseline.maxMs);
}

// Resident memory must stay flat after warm-up, and the picture must still
// repeat every 13 frames at the end.
int soak(const std::string& path, double seconds, double warmup, double boundMiB) {
  Running run(path);
  FrameWatch watch(run.x, run.window);
  watch.collect(warmup);
  const double start = residentMiB(run.program.pid());
  double highest = start;
  std::size_t frames = 0;
  const double step = 10;  // seconds between samples
  const int samples = static_cast<int>(std::ceil(seconds / step));
  for (int i = 0; i < samples; ++i) {
    const double length = std::min(step, seconds - step * i);
    frames += watch.collect(length).size();
    const double now = residentMiB(run.program.pid());
    highest = std::max(highest, now);
    std::printf("%6.0f s  resident %.2f MiB  frames %zu\n", step * i + length, now, frames);
    std::fflush(stdout);
  }

  const std::string fault = cycleFault(
      run.x.nextFrames(run.window, run.x.grab(run.window), kFramesPerCycle + 1), kFramesPerCycle);
  const bool cycling = fault.empty();
  const double growth = highest - start;
  std::printf(
      "\nresident after %.0f s warm-up: %.2f MiB, highest since: %.2f MiB, growth %.2f MiB"
      " (bound %.2f)\nanimation at the end: %s\n",
      warmup, start, highest, growth, boundMiB,
      cycling ? "repeating every 13 frames" : fault.c_str());
  const bool ok = growth <= boundMiB && cycling && run.program.running();
  std::printf("soak: %s\n", ok ? "passed" : "FAILED");
  return ok ? 0 : 1;
}

double option(int argc, char** argv, const char* name, double fallback) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return std::strtod(argv[i + 1], nullptr);
  }
  return fallback;
}

bool flag(int argc, char** argv, const char* name) {
  return std::find_if(argv + 1, argv + argc,
                      [&](const char* a) { return std::strcmp(a, name) == 0; }) != argv + argc;
}

}  // namespace

int main(int argc, char** argv) {
  if (flag(argc, argv, "--soak")) {
    return soak(FLAMES_EXE, option(argc, argv, "--seconds", 600),
                option(argc, argv, "--warmup", 30), option(argc, argv, "--bound-mib", 1.0));
  }
  const double seconds = option(argc, argv, "--seconds", 20);
  const double settle = option(argc, argv, "--settle", 3);
  const Figures flames = measure(FLAMES_EXE, settle, seconds);
  const Figures baseline = measure(BASELINE_EXE, settle, seconds);
  printTable(flames, baseline, seconds);
  return 0;
}
