// Drives the real flames binary in an X session: starts it, finds its window,
// reads its pixels and properties, and sends it input as a user would.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "picture.h"

namespace e2e {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

// A program started without arguments, its output kept; killed at the end.
class Program {
 public:
  explicit Program(const std::string& path);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  pid_t pid() const { return pid_; }
  // The exit status, or -1 if it has not exited within the timeout (or died of a signal).
  int waitForExit(Millis timeout);
  std::string output() const;  // everything it wrote to stdout and stderr

 private:
  pid_t pid_ = -1;
  std::string outputPath_;
};

class XSession {
 public:
  XSession();  // connects to $DISPLAY and watches top-level windows being created
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // The managed, viewable top-level window of that process (0 on timeout).
  Window waitForWindow(pid_t pid, Millis timeout);
  // When this session saw the window created (to within a poll of
  // waitForWindow): a program's clock starts there, after loading.
  Clock::time_point createdAt(Window window) const;
  // Empty while the server refuses to read the window (as it is mapped, say).
  // This and the calls below that read the window's attributes throw, naming
  // the X error, when they cannot: the window is gone, most likely.
  Picture grab(Window window);
  // The first picture that differs from `previous` (empty if none by then).
  Picture waitForChange(Window window, const Picture& previous, Clock::time_point deadline);
  // The first picture not all black: the first frame (empty if none by then).
  Picture waitForFirstFrame(Window window, Millis timeout);

  std::string utf8Property(Window window, const char* name);
  std::vector<long> cardinalProperty(Window window, const char* name);
  std::string legacyName(Window window);  // WM_NAME decoded to UTF-8

  struct Geometry {
    int x, y, width, height;
  };
  Geometry rootGeometry(Window window);
  // Whether the GLX configuration of the window's visual has a back buffer.
  bool isDoubleBuffered(Window window);

  void pressKey(const char* keysym);
  void clickAt(Window window, int x, int y, unsigned button);
  void resize(Window window, int width, int height);
  void minimise(Window window);
  void restore(Window window);
  void closeThroughWindowManager(Window window);

 private:
  void noteCreatedWindows();
  XWindowAttributes readAttributes(Window window);

  Display* display_ = nullptr;
  std::map<Window, Clock::time_point> created_;
};

}  // namespace e2e
