// The GLUT the program uses, as the web's own layer (src/web/gl_glut.js)
// provides it: the window is the page's canvas, timers are one-shot, and a
// redisplay draws one frame at the browser's next animation frame.
#pragma once

#include <GL/gl.h>

#define GLUT_RGB 0
#define GLUT_DOUBLE 2
#define GLUT_DEPTH 16

#ifdef __cplusplus
extern "C" {
#endif

void glutInit(int* argc, char** argv);
void glutInitDisplayMode(unsigned int mode);
void glutInitWindowPosition(int x, int y);
void glutInitWindowSize(int width, int height);
int glutCreateWindow(const char* title);
void glutDisplayFunc(void (*display)(void));
void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value);
void glutPostRedisplay(void);
void glutSwapBuffers(void);
void glutMainLoop(void);

#ifdef __cplusplus
}
#endif
