// Web window title: the canvas has none, so the program's title becomes the
// page's, which the browser shows on its tab.
#include <emscripten.h>

#include "app/window_title.h"

void setWindowTitle(const char* utf8Title) {
  emscripten_set_window_title(utf8Title);
}
