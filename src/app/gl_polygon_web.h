// Included ahead of every web source file. The browser's fixed-function GL
// emulation draws no GL_POLYGON; every strip is a convex quad, which a triangle
// fan over the same corners draws alike, colours and all.
#pragma once

#include <GL/gl.h>

#undef GL_POLYGON
#define GL_POLYGON GL_TRIANGLE_FAN
