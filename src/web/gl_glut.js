// The GL and GLUT beneath the program on a web page: exactly the calls
// main.cpp makes, over WebGL 1, drawing what Mesa draws on the desktop.
//
// GL: a polygon is the fan of its corners, its colours blended across each
// triangle; glOrtho's matrix; everything a frame draws goes to the GPU in one
// buffer and one draw call when the frame is swapped. GLUT: the window is the
// canvas the page hands over (its own, or an OffscreenCanvas in a worker),
// sized as the page says (each Module.windowSize it sets) as a desktop window
// follows its frame; timers fire once; a redisplay draws one
// frame at the browser's next animation frame. When the GPU takes the context
// away nothing is drawn, and when it gives it back the shader and buffer are
// made again and the program draws on where it was. Shaders the browser will
// not build draw nothing: the console says why and the page says it cannot draw.
var flamesLibrary = {
  $GLState__deps: ['glViewport', 'glutPostRedisplay'],
  $GLState: {
    canvas: null,
    gl: null,
    attributes: null,
    matrixAt: null,
    clearColour: [0, 0, 0, 0],
    GL_MODELVIEW: 0x1700,
    GL_PROJECTION: 0x1701,
    matrices: {},  // by GL_MODELVIEW and GL_PROJECTION, column-major doubles
    matrixMode: 0x1700,  // GL_MODELVIEW
    matrix: null,  // projection times model-view, as the shader takes it
    vertices: null,  // x y z r g b, three a triangle
    verticesUsed: 0,
    corners: null,  // the polygon's, x y z r g b each
    cornersUsed: 0,
    red: 1,
    green: 1,
    blue: 1,
    display: 0,
    redisplay: false,
    frameRequested: false,
    windowSize: null,  // in device pixels, as the page last gave it
    lost: false,
    stopped: false,
    // A window WebGL cannot draw in: main runs to its end, and nothing it asks
    // for happens.
    stop: function () {
      GLState.lost = GLState.stopped = true;
      return 0;
    },

    identity: function () {
      return new Float64Array([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]);
    },

    multiply: function (a, b) {
      var product = new Float64Array(16);
      for (var column = 0; column < 4; ++column) {
        for (var row = 0; row < 4; ++row) {
          var sum = 0;
          for (var k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
          product[column * 4 + row] = sum;
        }
      }
      return product;
    },

    // The array, or a copy at least `needed` long.
    withRoomFor: function (array, needed) {
      if (needed <= array.length) return array;
      var larger = new Float32Array(2 * needed);
      larger.set(array);
      return larger;
    },

    compile: function (gl, program, type, source) {
      var shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      gl.attachShader(program, shader);
      return shader;
    },

    // Whether the shaders compiled and the program linked; if not, what the
    // browser said goes to the console. A context lost meanwhile fails them
    // through no fault of theirs, and its restoring builds them again.
    built: function (gl, program, shaders) {
      var failures = shaders.filter(function (shader) {
        return !gl.getShaderParameter(shader, gl.COMPILE_STATUS);
      }).map(function (shader) {
        return 'WebGL did not compile a shader: ' + gl.getShaderInfoLog(shader);
      });
      if (!failures.length && !gl.getProgramParameter(program, gl.LINK_STATUS)) {
        failures.push('WebGL did not link the shaders: ' + gl.getProgramInfoLog(program));
      }
      if (!failures.length || gl.isContextLost()) return true;
      failures.forEach(function (failure) { console.error(failure); });
      return false;
    },

    // What a context needs, made anew for a restored one; false if WebGL
    // would not build the shaders.
    setUp: function () {
      var gl = GLState.gl, program = gl.createProgram(), shaders = [
        GLState.compile(gl, program, gl.VERTEX_SHADER,
          'attribute vec3 position; attribute vec3 colour; uniform mat4 matrix; varying vec3 shade;' +
          'void main() { shade = colour; gl_Position = matrix * vec4(position, 1.0); }'),
        GLState.compile(gl, program, gl.FRAGMENT_SHADER,
          'precision mediump float; varying vec3 shade; void main() { gl_FragColor = vec4(shade, 1.0); }')];
      gl.bindAttribLocation(program, 0, 'position');
      gl.bindAttribLocation(program, 1, 'colour');
      gl.linkProgram(program);
      if (!GLState.built(gl, program, shaders)) return false;
      gl.useProgram(program);
      GLState.matrixAt = gl.getUniformLocation(program, 'matrix');
      gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
      gl.enableVertexAttribArray(0);
      gl.enableVertexAttribArray(1);
      gl.vertexAttribPointer(0, 3, gl.FLOAT, false, 24, 0);
      gl.vertexAttribPointer(1, 3, gl.FLOAT, false, 24, 12);
      gl.clearColor.apply(gl, GLState.clearColour);
      gl.viewport(0, 0, GLState.canvas.width, GLState.canvas.height);
      return true;
    },

    // Draws what the frame has collected so far: before a clear, a change of
    // matrix or view, and at the swap.
    flush: function () {
      if (!GLState.verticesUsed) return;
      var gl = GLState.gl;
      if (!GLState.matrix) {
        GLState.matrix = new Float32Array(GLState.multiply(GLState.matrices[GLState.GL_PROJECTION], GLState.matrices[GLState.GL_MODELVIEW]));
      }
      gl.uniformMatrix4fv(GLState.matrixAt, false, GLState.matrix);
      gl.bufferData(gl.ARRAY_BUFFER, GLState.vertices.subarray(0, GLState.verticesUsed), gl.STREAM_DRAW);
      gl.drawArrays(gl.TRIANGLES, 0, GLState.verticesUsed / 6);
      GLState.verticesUsed = 0;
    },

    // The browser tells of a lost context only later: until then it is asked.
    drawable: function () {
      return !GLState.lost && !GLState.gl.isContextLost();
    },

    requestFrame: function () {
      if (GLState.frameRequested || !GLState.redisplay || !GLState.drawable()) return;
      GLState.frameRequested = true;
      requestAnimationFrame(GLState.frame);
    },

    frame: function () {
      GLState.frameRequested = false;
      if (!GLState.redisplay || !GLState.drawable()) return;
      GLState.redisplay = false;
      {{{ makeDynCall('v', 'GLState.display') }}}();
    },

    // The size the page gives, in device pixels, is the window's; a new size
    // is handled as GLUT's default reshape does, and brings a redraw.
    resize: function () {
      var width = GLState.windowSize[0], height = GLState.windowSize[1];
      if (!width || !height || (width === GLState.canvas.width && height === GLState.canvas.height)) return;
      GLState.canvas.width = width;
      GLState.canvas.height = height;
      _glViewport(0, 0, width, height);
      _glutPostRedisplay();
    },
  },

  glClearColor: function (red, green, blue, alpha) {
    GLState.clearColour = [red, green, blue, alpha];
    if (!GLState.lost) GLState.gl.clearColor(red, green, blue, alpha);
  },

  glClear: function (mask) {
    GLState.flush();
    GLState.gl.clear(mask);
  },

  glMatrixMode: function (mode) {
    GLState.matrixMode = mode;
  },

  glLoadIdentity: function () {
    GLState.flush();
    GLState.matrices[GLState.matrixMode] = GLState.identity();
    GLState.matrix = null;
  },

  glOrtho: function (left, right, bottom, top, near, far) {
    GLState.flush();
    var ortho = GLState.identity();
    ortho[0] = 2 / (right - left);
    ortho[5] = 2 / (top - bottom);
    ortho[10] = -2 / (far - near);
    ortho[12] = -(right + left) / (right - left);
    ortho[13] = -(top + bottom) / (top - bottom);
    ortho[14] = -(far + near) / (far - near);
    GLState.matrices[GLState.matrixMode] = GLState.multiply(GLState.matrices[GLState.matrixMode], ortho);
    GLState.matrix = null;
  },

  glViewport: function (x, y, width, height) {
    GLState.flush();
    if (!GLState.lost) GLState.gl.viewport(x, y, width, height);
  },

  glBegin: function (mode) {
    GLState.cornersUsed = 0;
  },

  glColor3f: function (red, green, blue) {
    GLState.red = red;
    GLState.green = green;
    GLState.blue = blue;
  },

  glVertex3f: function (x, y, z) {
    var at = GLState.cornersUsed, corner = GLState.corners = GLState.withRoomFor(GLState.corners, at + 6);
    corner[at] = x;
    corner[at + 1] = y;
    corner[at + 2] = z;
    corner[at + 3] = GLState.red;
    corner[at + 4] = GLState.green;
    corner[at + 5] = GLState.blue;
    GLState.cornersUsed = at + 6;
  },

  // The polygon as the fan of its corners, as Mesa draws it.
  glEnd: function () {
    var corners = GLState.corners, count = GLState.cornersUsed / 6;
    GLState.vertices = GLState.withRoomFor(GLState.vertices, GLState.verticesUsed + (count - 2) * 18);
    for (var i = 1; i + 1 < count; ++i) {
      GLState.vertices.set(corners.subarray(0, 6), GLState.verticesUsed);
      GLState.vertices.set(corners.subarray(i * 6, i * 6 + 12), GLState.verticesUsed + 6);
      GLState.verticesUsed += 18;
    }
  },

  glFlush: function () {
    GLState.flush();
  },

  glutInit: function (argc, argv) {
    GLState.vertices = new Float32Array(8192);
    GLState.corners = new Float32Array(24);
    GLState.matrices[GLState.GL_MODELVIEW] = GLState.identity();
    GLState.matrices[GLState.GL_PROJECTION] = GLState.identity();
  },

  // RGB and double-buffered, as asked; without the asked-for depth buffer,
  // which the program never uses. Edges as the desktop draws them: no
  // multisampling.
  glutInitDisplayMode: function (mode) {
    GLState.attributes = { alpha: false, depth: false, stencil: false, antialias: false };
  },

  glutInitWindowPosition: function (x, y) {},

  glutInitWindowSize: function (width, height) {},

  // The page's canvas; the title goes to the page.
  glutCreateWindow: function (title) {
    var end = title;
    while (HEAPU8[end]) ++end;
    Module['onTitle'](new TextDecoder().decode(HEAPU8.subarray(title, end)));
    GLState.canvas = Module['canvas'];
    GLState.gl = GLState.canvas.getContext('webgl', GLState.attributes);
    if (!GLState.gl) {  // the page says why, and the program stops here
      if (Module['onNoWebGL']) Module['onNoWebGL']();
      return GLState.stop();
    }
    Module['ctx'] = GLState.gl;
    if (!GLState.setUp()) {  // likewise
      Module['onNoShaders']();
      return GLState.stop();
    }
    GLState.canvas.addEventListener('webglcontextlost', function (event) {
      event.preventDefault();  // asks for the context back
      GLState.lost = true;
      GLState.verticesUsed = 0;
    });
    GLState.canvas.addEventListener('webglcontextrestored', function () {
      GLState.lost = !GLState.setUp();  // without shaders, as good as lost
      if (GLState.lost) Module['onNoShaders']();
      else GLState.requestFrame();
    });
    return 1;
  },

  glutDisplayFunc: function (display) {
    GLState.display = display;
  },

  glutTimerFunc: function (milliseconds, callback, value) {
    if (GLState.stopped) return;
    setTimeout(function () {
      {{{ makeDynCall('vi', 'callback') }}}(value);
    }, milliseconds);
  },

  glutPostRedisplay: function () {
    GLState.redisplay = true;
    GLState.requestFrame();
  },

  glutSwapBuffers: function () {
    GLState.flush();
  },

  // The window is shown at its size, which brings its first frame; from then
  // on the program lives in its callbacks, and each size the page sets
  // (Module.windowSize) resizes it. It returns, and main with it: the runtime
  // stays, as nothing here ever exits it.
  glutMainLoop: function () {
    if (GLState.stopped) return;
    GLState.windowSize = Module['windowSize'];
    Object.defineProperty(Module, 'windowSize', {
      get: function () { return GLState.windowSize; },
      set: function (size) { GLState.windowSize = size; GLState.resize(); },
    });
    GLState.resize();
    _glutPostRedisplay();
  },
};

// Every call works on the state above.
Object.keys(flamesLibrary).forEach(function (name) {
  if (name[0] !== '$') flamesLibrary[name + '__deps'] = ['$GLState'];
});
mergeInto(LibraryManager.library, flamesLibrary);
