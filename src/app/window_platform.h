// What the window needs beyond GLUT, in each platform's file beside main.cpp:
// window_x11.cpp and window_win32.cpp. main.cpp and the flame model compile
// unchanged everywhere.
#pragma once

#ifdef __EMSCRIPTEN__
// On a page the window is the canvas: the web's own GLUT (src/web/gl_glut.js)
// hands the title to the page, and the page's icons are its own.
inline void dressNextWindow(const char* /*utf8Title*/) {}
#else
// Called just before glutCreateWindow. The window GLUT creates next carries
// this title (UTF-8), the program's class and its icon from the moment the
// desktop first sees it: taskbars, docks, switchers and window rules read
// them then, and some never read them again.
void dressNextWindow(const char* utf8Title);
#endif
