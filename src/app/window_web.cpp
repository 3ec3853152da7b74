// The window on a web page: the canvas. Its title is the page's, which the
// browser shows on the tab. Its size is what the page's stylesheet makes it,
// in device pixels, so that the picture is as sharp as the screen.
#include <GL/glut.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "app/window_platform.h"

namespace {

constexpr const char* kCanvas = "#canvas";

struct Size {
  int width;
  int height;
};

Size sizeOnScreen() {
  double cssWidth = 0.0, cssHeight = 0.0;
  emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
  const double ratio = emscripten_get_device_pixel_ratio();
  return {static_cast<int>(std::lround(cssWidth * ratio)),
          static_cast<int>(std::lround(cssHeight * ratio))};
}

// What freeglut's default reshape does on the desktop; this GLUT has none.
void onReshape(int width, int height) {
  glViewport(0, 0, width, height);
}

// A resized window, a turned phone, a new pixel ratio: as on the desktop, the
// window takes its new size and is drawn again.
EM_BOOL onPageResize(int /*type*/, const EmscriptenUiEvent* /*event*/, void* /*data*/) {
  const Size size = sizeOnScreen();
  int width = 0, height = 0;
  emscripten_get_canvas_element_size(kCanvas, &width, &height);
  if (size.width != width || size.height != height) glutReshapeWindow(size.width, size.height);
  return EM_FALSE;
}

}  // namespace

void setWindowTitle(const char* utf8Title) {
  emscripten_set_window_title(utf8Title);
}

void stretchViewOverWindow() {
  glutReshapeFunc(onReshape);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onPageResize);
  // The main loop starts by reshaping to the canvas's size, so the first frame
  // is drawn at its final size.
  const Size size = sizeOnScreen();
  emscripten_set_canvas_element_size(kCanvas, size.width, size.height);
}
