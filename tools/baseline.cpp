// Benchmark baseline: the flames window and 150 ms timer with empty frames
// (clear and swap): the toolkit's and the buffer swap's share of the cost.
#include <GL/gl.h>
#include <GL/glut.h>

namespace {

void drawEmptyFrame() {
  glClear(GL_COLOR_BUFFER_BIT);
  glutSwapBuffers();
  glFlush();
}

void onTick(int /*value*/) {
  glutPostRedisplay();
  glutTimerFunc(150, onTick, 1);
}

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowPosition(200, 100);
  glutInitWindowSize(500, 500);
  glutCreateWindow("flames baseline");
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glutDisplayFunc(drawEmptyFrame);
  glutTimerFunc(1000, onTick, 1);
  glutMainLoop();
  return 1;
}
