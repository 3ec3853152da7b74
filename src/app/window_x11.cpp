// The X11 window. freeglut names its window only in WM_NAME, as Latin-1,
// which turns Cyrillic into mojibake; it gives it no class and no icon; and
// it maps it inside glutCreateWindow. A window manager reads a window as it
// maps, for what its rules match and what its taskbar shows, and ICCCM asks
// a client to set WM_CLASS before then. So the window is dressed on its way
// to the map: the XMapWindow below stands in for Xlib's in freeglut's calls
// (the dynamic linker looks in the program before its libraries), sets
// everything, then maps the window with Xlib's own. freeglut has already set
// _NET_WM_PID and WM_CLIENT_MACHINE by then.
#include <X11/X.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "app/window_platform.h"
#include "app/window_icon.h"

namespace {

// WM_CLASS: the program's name, and the class the desktop entry's
// StartupWMClass names (both from the build).
constexpr const char* kResourceName = FLAMES_WM_NAME;
constexpr const char* kResourceClass = FLAMES_WM_CLASS;

const char* pendingTitle = nullptr;

void setUtf8Property(Display* display, Window window, const char* name, const char* text) {
  XChangeProperty(display, window, XInternAtom(display, name, False),
                  XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text),
                  static_cast<int>(std::strlen(text)));
}

// _NET_WM_NAME for window managers of this century; WM_NAME, as COMPOUND_TEXT
// where Latin-1 falls short, for older ones.
void setTitle(Display* display, Window window, const char* utf8Title) {
  setUtf8Property(display, window, "_NET_WM_NAME", utf8Title);
  setUtf8Property(display, window, "_NET_WM_ICON_NAME", utf8Title);
  char* list[] = {const_cast<char*>(utf8Title)};
  XTextProperty legacy;
  if (Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &legacy) >= Success) {
    XSetWMName(display, window, &legacy);
    XSetWMIconName(display, window, &legacy);
    XFree(legacy.value);
  }
}

void setClass(Display* display, Window window) {
  // Xlib's structure is not const-correct; it only reads the names.
  XClassHint hint{const_cast<char*>(kResourceName), const_cast<char*>(kResourceClass)};
  XSetClassHint(display, window, &hint);
}

// Xlib takes 32-bit properties as longs, whatever the size of a long.
void setIcon(Display* display, Window window) {
  const unsigned char* icon = reinterpret_cast<const unsigned char*>(kWindowIcon);
  if constexpr (sizeof(unsigned long) != sizeof(kWindowIcon[0])) {
    static unsigned long widened[std::size(kWindowIcon)];
    std::copy(std::begin(kWindowIcon), std::end(kWindowIcon), widened);
    icon = reinterpret_cast<const unsigned char*>(widened);
  }
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, icon, static_cast<int>(std::size(kWindowIcon)));
}

// Only a window whose parent is the root is the program's own window; any
// other freeglut maps keeps its plain self.
bool isTopLevel(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return false;
  if (children != nullptr) XFree(children);
  return parent == root;
}

}  // namespace

void dressNextWindow(const char* utf8Title) {
  pendingTitle = utf8Title;
}

// Visible whatever the build's visibility flags: the dynamic linker must find
// it in the program for freeglut's call.
extern "C" __attribute__((visibility("default"))) int XMapWindow(Display* display, Window window) {
  using MapWindow = int (*)(Display*, Window);
  static const auto xlibMapWindow = reinterpret_cast<MapWindow>(dlsym(RTLD_NEXT, "XMapWindow"));
  if (xlibMapWindow == nullptr) {
    // A statically linked Xlib, say: there is no Xlib call to hand the map on to.
    std::fputs("flames: cannot find Xlib's XMapWindow, so the window cannot be shown\n", stderr);
    std::exit(1);
  }
  if (pendingTitle != nullptr && isTopLevel(display, window)) {
    setClass(display, window);
    setTitle(display, window, pendingTitle);
    setIcon(display, window);
    pendingTitle = nullptr;
  }
  return xlibMapWindow(display, window);
}
