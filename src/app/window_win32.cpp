// The Windows window. freeglut makes an ANSI window and hands it the title as
// bytes of the system's code page, so Cyrillic shows right only on a Russian
// Windows. Stored through the Unicode window procedure, the title is kept as
// UTF-16 and shows as written on every Windows, whatever its code page.
#include <windows.h>

#include <GL/gl.h>

#include "app/window_platform.h"

void setWindowTitle(const char* utf8Title) {
  // GLUT draws through WGL into its window, so the current device context is
  // the window's.
  const HWND window = WindowFromDC(wglGetCurrentDC());
  wchar_t title[256];
  if (window == nullptr ||
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Title, -1, title, 256) == 0) {
    return;
  }
  // SetWindowTextW would convert it back to the code page for an ANSI window.
  DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
}

// freeglut's own reshape handling sets the viewport to the window's new size.
void stretchViewOverWindow() {}
