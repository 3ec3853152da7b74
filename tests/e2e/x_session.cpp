#include "x_session.h"

#include "picture.h"

#include <GL/glx.h>
#include <X11/X.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

namespace {

constexpr Millis kPollInterval{5};

// The last X error. Windows come and go under our feet, so no error ends the
// session; a call whose reply failed says why with this.
XErrorEvent lastError{};

// cppcheck-suppress [constParameter, constParameterCallback] ; the type Xlib calls it by
int noteError(Display*, XErrorEvent* error) {
  lastError = *error;
  return 0;
}

std::string lastErrorText(Display* display) {
  if (lastError.error_code == 0) return "no X error reported";
  char text[128], request[64];
  XGetErrorText(display, lastError.error_code, text, sizeof text);
  XGetErrorDatabaseText(display, "XRequest", std::to_string(lastError.request_code).c_str(), "?",
                        request, sizeof request);
  return std::string(text) + " in " + request;
}

std::string nameOf(Window window) {
  char name[32];
  std::snprintf(name, sizeof name, "window 0x%lx", window);
  return name;
}

// A property's type, item size and items: bytes, or, of 32-bit items, the
// longs Xlib hands them back as.
struct Property {
  Atom type = None;
  int format = 0;
  std::vector<unsigned char> bytes;
  std::vector<long> longs;
};

Property readProperty(Display* display, Window window, const char* name) {
  Property property;
  unsigned long items = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 16, False,
                         AnyPropertyType, &property.type, &property.format, &items, &remaining,
                         &data) == Success &&
      data != nullptr) {
    if (property.format == 32) {
      const auto* values = reinterpret_cast<const long*>(data);
      property.longs.assign(values, values + items);
    } else {
      property.bytes.assign(data, data + items * static_cast<unsigned>(property.format / 8));
    }
  }
  if (data != nullptr) XFree(data);
  return property;
}

}  // namespace

Program::Program(const std::string& path) {
  char outputTemplate[] = "/tmp/flames-e2e-output.XXXXXX";
  const int fd = mkstemp(outputTemplate);
  if (fd < 0) throw std::runtime_error("cannot create an output file");
  outputPath_ = outputTemplate;
  pid_ = fork();
  if (pid_ == 0) {
    dup2(fd, STDOUT_FILENO);
    dup2(fd, STDERR_FILENO);
    execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fd);
  if (pid_ < 0) throw std::runtime_error("cannot start " + path);
}

Program::~Program() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  unlink(outputPath_.c_str());
}

int Program::waitForExit(Millis timeout) {
  const auto deadline = Clock::now() + timeout;
  while (pid_ > 0) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (Clock::now() > deadline) return -1;
    std::this_thread::sleep_for(kPollInterval);
  }
  return -1;
}

std::string Program::output() const {
  std::ifstream in(outputPath_);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

XSession::XSession() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) throw std::runtime_error("cannot open the X display");
  // A closed program's window may still be listed: a request about one that
  // is gone finds nothing, and is no error for the session.
  XSetErrorHandler(noteError);
  XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
}

XSession::~XSession() {
  XCloseDisplay(display_);
}

Window XSession::waitForWindow(pid_t pid, Millis timeout) {
  const auto deadline = Clock::now() + timeout;
  const Window root = DefaultRootWindow(display_);
  do {
    noteCreatedWindows();
    for (const long client : readProperty(display_, root, "_NET_CLIENT_LIST").longs) {
      const auto window = static_cast<Window>(client);
      const auto pids = cardinalProperty(window, "_NET_WM_PID");
      XWindowAttributes attributes;
      if (!pids.empty() && pids[0] == pid && XGetWindowAttributes(display_, window, &attributes) &&
          attributes.map_state == IsViewable) {
        return window;
      }
    }
    std::this_thread::sleep_for(kPollInterval);
  } while (Clock::now() < deadline);
  return 0;
}

void XSession::noteCreatedWindows() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == CreateNotify) created_.emplace(event.xcreatewindow.window, Clock::now());
  }
}

Clock::time_point XSession::createdAt(Window window) const {
  const auto found = created_.find(window);
  return found == created_.end() ? Clock::time_point{} : found->second;
}

XWindowAttributes XSession::readAttributes(Window window) {
  XWindowAttributes attributes{};
  lastError = {};
  if (XGetWindowAttributes(display_, window, &attributes) == 0) {
    throw std::runtime_error("cannot read " + nameOf(window) + ": " + lastErrorText(display_));
  }
  return attributes;
}

Picture XSession::grab(Window window) {
  const XWindowAttributes attributes = readAttributes(window);
  Picture picture;
  XImage* image =
      XGetImage(display_, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (image == nullptr) return picture;
  picture.width = attributes.width;
  picture.height = attributes.height;
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      picture.pixels[static_cast<std::size_t>(y) * picture.width + x] =
          static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xffffff);
    }
  }
  XDestroyImage(image);
  return picture;
}

Picture XSession::waitForChange(Window window, const Picture& previous,
                                Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    // A window being mapped or moved can refuse to be read for a moment.
    Picture now = grab(window);
    if (!now.pixels.empty() && now != previous) return now;
    std::this_thread::sleep_for(kPollInterval);
  }
  return {};
}

Picture XSession::waitForFirstFrame(Window window, Millis timeout) {
  const auto deadline = Clock::now() + timeout;
  Picture picture = waitForChange(window, Picture{}, deadline);
  const auto black = [](std::uint32_t p) { return p == 0; };
  while (!picture.pixels.empty() &&
         std::all_of(picture.pixels.begin(), picture.pixels.end(), black)) {
    picture = waitForChange(window, picture, deadline);
  }
  return picture;
}

std::string XSession::utf8Property(Window window, const char* name) {
  const Property property = readProperty(display_, window, name);
  if (property.type != XInternAtom(display_, "UTF8_STRING", False)) return {};
  return std::string(property.bytes.begin(), property.bytes.end());
}

std::vector<long> XSession::cardinalProperty(Window window, const char* name) {
  return readProperty(display_, window, name).longs;
}

std::string XSession::legacyName(Window window) {
  XTextProperty property;
  if (!XGetWMName(display_, window, &property)) return {};
  char** list = nullptr;
  int count = 0;
  std::string name;
  if (Xutf8TextPropertyToTextList(display_, &property, &list, &count) >= Success && count > 0) {
    name = list[0];
  }
  if (list != nullptr) XFreeStringList(list);
  XFree(property.value);
  return name;
}

XSession::Geometry XSession::rootGeometry(Window window) {
  const XWindowAttributes attributes = readAttributes(window);
  int x = 0, y = 0;
  Window child = None;
  if (!XTranslateCoordinates(display_, window, attributes.root, 0, 0, &x, &y, &child)) {
    throw std::runtime_error("cannot place " + nameOf(window) +
                             " on the screen: " + lastErrorText(display_));
  }
  return {x, y, attributes.width, attributes.height};
}

bool XSession::isDoubleBuffered(Window window) {
  XVisualInfo wanted{};
  wanted.visualid = XVisualIDFromVisual(readAttributes(window).visual);
  int count = 0;
  XVisualInfo* info = XGetVisualInfo(display_, VisualIDMask, &wanted, &count);
  int doubleBuffered = 0;
  const int fault = info == nullptr
                        ? GLX_BAD_VISUAL
                        : glXGetConfig(display_, info, GLX_DOUBLEBUFFER, &doubleBuffered);
  if (info != nullptr) XFree(info);
  if (fault != 0) {
    throw std::runtime_error("GLX cannot describe the visual of " + nameOf(window) + " (error " +
                             std::to_string(fault) + ")");
  }
  return doubleBuffered != 0;
}

void XSession::pressKey(const char* keysym) {
  const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym));
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XSync(display_, False);
}

void XSession::clickAt(Window window, int x, int y, unsigned button) {
  const Geometry where = rootGeometry(window);
  XTestFakeMotionEvent(display_, -1, where.x + x, where.y + y, CurrentTime);
  XTestFakeButtonEvent(display_, button, True, CurrentTime);
  XTestFakeButtonEvent(display_, button, False, CurrentTime);
  XSync(display_, False);
}

void XSession::resize(Window window, int width, int height) {
  XResizeWindow(display_, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(display_, False);
}

void XSession::minimise(Window window) {
  XIconifyWindow(display_, window, DefaultScreen(display_));
  XSync(display_, False);
}

void XSession::restore(Window window) {
  XMapRaised(display_, window);
  XSync(display_, False);
}

// As a close button does: the window manager asks the client to delete its window.
void XSession::closeThroughWindowManager(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "_NET_CLOSE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = 2;  // source: a pager or other direct user action
  XSendEvent(display_, DefaultRootWindow(display_), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display_, False);
}

}  // namespace e2e
