// What the window needs beyond GLUT on each platform. main.cpp and the flame
// model compile unchanged everywhere; each platform supplies these in a file
// of its own beside main.cpp (window_x11.cpp, window_web.cpp).
#pragma once

// Sets the title of the current GLUT window from UTF-8 text.
void setWindowTitle(const char* utf8Title);

// Keeps the view stretched over the whole window, pixel for pixel, whatever
// size the window is given and whenever that changes.
void stretchViewOverWindow();
