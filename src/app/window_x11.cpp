// The X11 window. GLUT stores the title as a Latin-1 STRING, which turns
// Cyrillic into mojibake. Modern window managers read _NET_WM_NAME as UTF-8;
// older ones decode WM_NAME, which gets COMPOUND_TEXT where Latin-1 falls short.
#include <GL/glx.h>
#include <X11/X.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

#include "app/window_platform.h"

namespace {

void setUtf8Property(Display* display, Window window, const char* name, const char* text) {
  const Atom property = XInternAtom(display, name, False);
  const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
  XChangeProperty(display, window, property, utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text),
                  static_cast<int>(std::strlen(text)));
}

}  // namespace

void setWindowTitle(const char* utf8Title) {
  // GLUT draws with GLX straight into its X window, so the current drawable
  // is the window itself.
  Display* display = glXGetCurrentDisplay();
  const Window window = glXGetCurrentDrawable();
  if (display == nullptr || window == None) {
    return;
  }
  setUtf8Property(display, window, "_NET_WM_NAME", utf8Title);
  setUtf8Property(display, window, "_NET_WM_ICON_NAME", utf8Title);

  char* list[] = {const_cast<char*>(utf8Title)};
  XTextProperty legacy;
  if (Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &legacy) >= Success) {
    XSetWMName(display, window, &legacy);
    XSetWMIconName(display, window, &legacy);
    XFree(legacy.value);
  }
  XFlush(display);
}

// freeglut's own reshape handling sets the viewport to the window's new size.
void stretchViewOverWindow() {}
