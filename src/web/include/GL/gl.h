// The OpenGL the program uses, as the web's own layer (src/web/gl_glut.js)
// provides it over WebGL: the calls it makes and their constants, no more.
#pragma once

typedef unsigned int GLenum;
typedef unsigned int GLbitfield;
typedef int GLint;
typedef int GLsizei;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLdouble;

#define GL_COLOR_BUFFER_BIT 0x00004000
#define GL_POLYGON 0x0009
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701

#ifdef __cplusplus
extern "C" {
#endif

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
void glClear(GLbitfield mask);
void glMatrixMode(GLenum mode);
void glLoadIdentity(void);
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near, GLdouble far);
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void glBegin(GLenum mode);
void glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void glEnd(void);
void glFlush(void);

#ifdef __cplusplus
}
#endif
