// flames: a band of flame-coloured strips that rise, fall and drift left in a
// 500 x 500 window, moved on by a 150 ms timer.
//
// The program reads top to bottom in the order of its life: start-up in main,
// then the toolkit calls onTimer at each tick and drawFrame for each frame.
// Everything on screen follows from one FlameState; nothing else is kept.
#include <GL/gl.h>
#include <GL/glut.h>

#include "app/flame_band.h"
#include "app/window_platform.h"
#include "flame/flame_state.h"

namespace {

constexpr const char* kTitle = "Языки пламени";  // "tongues of flame"

// The whole animation state. GLUT callbacks carry no user pointer, so it lives
// here, with its initial values, for the life of the process.
FlameState flame;

void initView();
void onTimer(int value);
void drawFrame();

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowPosition(200, 100);
  glutInitWindowSize(500, 500);
  // What GLUT leaves to each platform: the title shown as written, with the
  // program's class and icon, before the desktop first sees the window.
  dressNextWindow(kTitle);
  glutCreateWindow(kTitle);
  initView();
  glutDisplayFunc(drawFrame);
  glutTimerFunc(kFirstTickMs, onTimer, 1);
  glMatrixMode(GL_MODELVIEW);
  glutMainLoop();
  return 1;
}

namespace {

// Black, with the band's 0..100 square filling the view.
void initView() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 100.0, 0.0, 100.0, -100.0, 100.0);
}

// Each tick lifts the band's top edge to follow the flame while it rises and
// asks for one frame. GLUT timers fire once, so the tick arms the next one.
void onTimer(int /*value*/) {
  computeFlicker(flame);
  glutPostRedisplay();
  glutTimerFunc(kTickMs, onTimer, 1);
}

// Orange at the foot, yellow at the lower right, red at the top; smooth
// shading blends them across each strip.
void drawFrame() {
  glClear(GL_COLOR_BUFFER_BIT);
#ifndef FLAMES_EMPTY_FRAMES  // the benchmark's baseline: the toolkit's and the swap's cost alone
  forEachStrip(flame, [](const Strip& strip) {
    glBegin(GL_POLYGON);
    glColor3f(1.0f, 0.5f, 0.0f);
    glVertex3f(strip.bottomLeft.x, strip.bottomLeft.y, 0.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(strip.topLeft.x, strip.topLeft.y, 0.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(strip.topRight.x, strip.topRight.y, 0.0f);
    glColor3f(1.0f, 1.0f, 0.0f);
    glVertex3f(strip.bottomRight.x, strip.bottomRight.y, 0.0f);
    glEnd();
  });
#endif
  glutSwapBuffers();
  glFlush();
}

}  // namespace
