// The window on a web page: the canvas, as the web's own GLUT makes it
// (src/web/gl_glut.js). The title it is created with becomes the page's,
// which the browser shows on the tab, and its size follows the canvas's box
// on the page in device pixels, so that the picture is as sharp as the screen:
// nothing is left for this file to do.
#include "app/window_platform.h"

void setWindowTitle(const char* /*utf8Title*/) {}

void stretchViewOverWindow() {}
