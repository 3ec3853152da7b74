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
// made again and the program draws on where it was.
var flamesLibrary = {
  $FG__deps: ['glViewport', 'glutPostRedisplay'],
  $FG: {
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

    compile: function (gl, type, source) {
      var shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      return shader;
    },

    // What a context needs, made anew for a restored one.
    setUp: function () {
      var gl = FG.gl, program = gl.createProgram();
      gl.attachShader(program, FG.compile(gl, gl.VERTEX_SHADER,
        'attribute vec3 position; attribute vec3 colour; uniform mat4 matrix; varying vec3 shade;' +
        'void main() { shade = colour; gl_Position = matrix * vec4(position, 1.0); }'));
      gl.attachShader(program, FG.compile(gl, gl.FRAGMENT_SHADER,
        'precision mediump float; varying vec3 shade; void main() { gl_FragColor = vec4(shade, 1.0); }'));
      gl.bindAttribLocation(program, 0, 'position');
      gl.bindAttribLocation(program, 1, 'colour');
      gl.linkProgram(program);
      gl.useProgram(program);
      FG.matrixAt = gl.getUniformLocation(program, 'matrix');
      gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
      gl.enableVertexAttribArray(0);
      gl.enableVertexAttribArray(1);
      gl.vertexAttribPointer(0, 3, gl.FLOAT, false, 24, 0);
      gl.vertexAttribPointer(1, 3, gl.FLOAT, false, 24, 12);
      gl.clearColor.apply(gl, FG.clearColour);
      gl.viewport(0, 0, FG.canvas.width, FG.canvas.height);
    },

    // Draws what the frame has collected so far: before a clear, a change of
    // matrix or view, and at the swap.
    flush: function () {
      if (!FG.verticesUsed) return;
      var gl = FG.gl;
      if (!FG.matrix) {
        FG.matrix = new Float32Array(FG.multiply(FG.matrices[FG.GL_PROJECTION], FG.matrices[FG.GL_MODELVIEW]));
      }
      gl.uniformMatrix4fv(FG.matrixAt, false, FG.matrix);
      gl.bufferData(gl.ARRAY_BUFFER, FG.vertices.subarray(0, FG.verticesUsed), gl.STREAM_DRAW);
      gl.drawArrays(gl.TRIANGLES, 0, FG.verticesUsed / 6);
      FG.verticesUsed = 0;
    },

    // The browser tells of a lost context only later: until then it is asked.
    drawable: function () {
      return !FG.lost && !FG.gl.isContextLost();
    },

    requestFrame: function () {
      if (FG.frameRequested || !FG.redisplay || !FG.drawable()) return;
      FG.frameRequested = true;
      requestAnimationFrame(FG.frame);
    },

    frame: function () {
      FG.frameRequested = false;
      if (!FG.redisplay || !FG.drawable()) return;
      FG.redisplay = false;
      {{{ makeDynCall('v', 'FG.display') }}}();
    },

    // The size the page gives, in device pixels, is the window's; a new size
    // is handled as GLUT's default reshape does, and brings a redraw.
    resize: function () {
      var width = FG.windowSize[0], height = FG.windowSize[1];
      if (!width || !height || (width === FG.canvas.width && height === FG.canvas.height)) return;
      FG.canvas.width = width;
      FG.canvas.height = height;
      _glViewport(0, 0, width, height);
      _glutPostRedisplay();
    },
  },

  glClearColor: function (red, green, blue, alpha) {
    FG.clearColour = [red, green, blue, alpha];
    if (!FG.lost) FG.gl.clearColor(red, green, blue, alpha);
  },

  glClear: function (mask) {
    FG.flush();
    FG.gl.clear(mask);
  },

  glMatrixMode: function (mode) {
    FG.matrixMode = mode;
  },

  glLoadIdentity: function () {
    FG.flush();
    FG.matrices[FG.matrixMode] = FG.identity();
    FG.matrix = null;
  },

  glOrtho: function (left, right, bottom, top, near, far) {
    FG.flush();
    var ortho = FG.identity();
    ortho[0] = 2 / (right - left);
    ortho[5] = 2 / (top - bottom);
    ortho[10] = -2 / (far - near);
    ortho[12] = -(right + left) / (right - left);
    ortho[13] = -(top + bottom) / (top - bottom);
    ortho[14] = -(far + near) / (far - near);
    FG.matrices[FG.matrixMode] = FG.multiply(FG.matrices[FG.matrixMode], ortho);
    FG.matrix = null;
  },

  glViewport: function (x, y, width, height) {
    FG.flush();
    if (!FG.lost) FG.gl.viewport(x, y, width, height);
  },

  glBegin: function (mode) {
    FG.cornersUsed = 0;
  },

  glColor3f: function (red, green, blue) {
    FG.red = red;
    FG.green = green;
    FG.blue = blue;
  },

  glVertex3f: function (x, y, z) {
    var at = FG.cornersUsed, corner = FG.corners = FG.withRoomFor(FG.corners, at + 6);
    corner[at] = x;
    corner[at + 1] = y;
    corner[at + 2] = z;
    corner[at + 3] = FG.red;
    corner[at + 4] = FG.green;
    corner[at + 5] = FG.blue;
    FG.cornersUsed = at + 6;
  },

  // The polygon as the fan of its corners, as Mesa draws it.
  glEnd: function () {
    var corners = FG.corners, count = FG.cornersUsed / 6;
    FG.vertices = FG.withRoomFor(FG.vertices, FG.verticesUsed + (count - 2) * 18);
    for (var i = 1; i + 1 < count; ++i) {
      FG.vertices.set(corners.subarray(0, 6), FG.verticesUsed);
      FG.vertices.set(corners.subarray(i * 6, i * 6 + 12), FG.verticesUsed + 6);
      FG.verticesUsed += 18;
    }
  },

  glFlush: function () {
    FG.flush();
  },

  glutInit: function (argc, argv) {
    FG.vertices = new Float32Array(8192);
    FG.corners = new Float32Array(24);
    FG.matrices[FG.GL_MODELVIEW] = FG.identity();
    FG.matrices[FG.GL_PROJECTION] = FG.identity();
  },

  // RGB and double-buffered, as asked; without the asked-for depth buffer,
  // which the program never uses. Edges as the desktop draws them: no
  // multisampling.
  glutInitDisplayMode: function (mode) {
    FG.attributes = { alpha: false, depth: false, stencil: false, antialias: false };
  },

  glutInitWindowPosition: function (x, y) {},

  glutInitWindowSize: function (width, height) {},

  // The page's canvas; the title goes to the page.
  glutCreateWindow: function (title) {
    var end = title;
    while (HEAPU8[end]) ++end;
    Module['onTitle'](new TextDecoder().decode(HEAPU8.subarray(title, end)));
    FG.canvas = Module['canvas'];
    FG.gl = FG.canvas.getContext('webgl', FG.attributes);
    if (!FG.gl) {  // the page says why, and the program stops here
      if (Module['onNoWebGL']) Module['onNoWebGL']();
      throw 'unwind';
    }
    Module['ctx'] = FG.gl;
    FG.setUp();
    FG.canvas.addEventListener('webglcontextlost', function (event) {
      event.preventDefault();  // asks for the context back
      FG.lost = true;
      FG.verticesUsed = 0;
    });
    FG.canvas.addEventListener('webglcontextrestored', function () {
      FG.lost = false;
      FG.setUp();
      FG.requestFrame();
    });
    return 1;
  },

  glutDisplayFunc: function (display) {
    FG.display = display;
  },

  glutTimerFunc: function (milliseconds, callback, value) {
    setTimeout(function () {
      {{{ makeDynCall('vi', 'callback') }}}(value);
    }, milliseconds);
  },

  glutPostRedisplay: function () {
    FG.redisplay = true;
    FG.requestFrame();
  },

  glutSwapBuffers: function () {
    FG.flush();
  },

  // The window is shown at its size, which brings its first frame; from then
  // on the program lives in its callbacks, and each size the page sets
  // (Module.windowSize) resizes it.
  glutMainLoop: function () {
    FG.windowSize = Module['windowSize'];
    Object.defineProperty(Module, 'windowSize', {
      get: function () { return FG.windowSize; },
      set: function (size) { FG.windowSize = size; FG.resize(); },
    });
    FG.resize();
    _glutPostRedisplay();
    throw 'unwind';
  },
};

// Every call works on the state above.
Object.keys(flamesLibrary).forEach(function (name) {
  if (name[0] !== '$') flamesLibrary[name + '__deps'] = ['$FG'];
});
mergeInto(LibraryManager.library, flamesLibrary);
