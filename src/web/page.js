// The page around the program: it hands the program its canvas and the
// canvas's size, keeps the site for offline visits, and says in words why the
// animation cannot run rather than show a black square.
//
// The program draws from a worker (worker.js) on the canvas handed over as an
// OffscreenCanvas, so that the browser's slow first set-up of WebGL never
// stalls the page. Where a browser cannot do that, it runs here instead.
'use strict';
var canvas = document.getElementById('canvas');
var worker = null;
var Module = null;

function showMessage(text) {
  canvas.hidden = true;
  var message = document.getElementById('message');
  message.textContent = text;
  message.hidden = false;
}

// The program cannot draw. A worker's WebGL may lack what the page's has, so
// the page tries on its own first.
function cannotDraw(why) {
  if (worker) return runHere();
  showMessage(why);
}

// What the program tells the page, by name.
var programSays = {
  title: function (title) { document.title = title; },
  noWebGL: function () {
    cannotDraw('The animation needs WebGL, which this browser has turned off or does not offer.');
  },
  noShaders: function () {
    cannotDraw("The animation cannot draw: this browser's WebGL would not build its shaders.");
  },
  abort: function (what) {
    showMessage('The animation could not run (' + what + '). If this page was copied, ' +
                'index.js, index.wasm and worker.js must be copied beside it.');
  },
};

// The canvas's box in device pixels: the program draws as sharp as the screen.
function windowSize() {
  var box = canvas.getBoundingClientRect(), ratio = devicePixelRatio || 1;
  return [Math.round(box.width * ratio), Math.round(box.height * ratio)];
}

function passOnWindowSize() {
  if (worker) worker.postMessage({ windowSize: windowSize() });
  else Module.windowSize = windowSize();
}

function runInWorker() {
  var offscreen = canvas.transferControlToOffscreen();
  worker = new Worker('worker.js');
  worker.onmessage = function (event) {
    for (var name in programSays) if (name in event.data) programSays[name](event.data[name]);
  };
  // An error the program did not report, or no worker at all (its script did not load).
  worker.onerror = function (event) {
    if (document.getElementById('message').hidden) programSays.abort(event.message || 'worker.js did not load');
  };
  worker.postMessage({ canvas: offscreen, windowSize: windowSize() }, [offscreen]);
}

// On a fresh canvas: the one handed to a worker is no longer the page's.
function runHere() {
  if (worker) {
    worker.terminate();
    worker = null;
    var fresh = canvas.cloneNode();
    canvas.replaceWith(fresh);
    canvas = fresh;
  }
  Module = { canvas: canvas, windowSize: windowSize(), onTitle: programSays.title,
             onNoWebGL: programSays.noWebGL, onNoShaders: programSays.noShaders, onAbort: programSays.abort };
  var script = document.createElement('script');
  script.src = 'index.js';
  script.onerror = function () { programSays.abort('index.js did not load'); };
  document.body.appendChild(script);
}

// What goes wrong as the program starts (index.wasm missing, say) ends here.
addEventListener('unhandledrejection', function (event) {
  programSays.abort(String(event.reason));
});

if (canvas.transferControlToOffscreen && window.Worker) runInWorker();
else runHere();
addEventListener('resize', passOnWindowSize);
// A new pixel ratio alone (a zoom, another screen) fires no resize.
(function passOnNextPixelRatio() {
  matchMedia('(resolution: ' + devicePixelRatio + 'dppx)').addEventListener('change', function () {
    passOnWindowSize();
    passOnNextPixelRatio();
  }, { once: true });
})();
document.addEventListener('contextmenu', function (event) {
  if (event.target === canvas) event.preventDefault();
});
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
