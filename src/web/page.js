// The page around the program: it gives the program its canvas, keeps the
// site for offline visits, and says in words why the animation cannot run
// rather than show a black square.
'use strict';
var canvas = document.getElementById('canvas');
function showMessage(text) {
  canvas.hidden = true;
  var message = document.getElementById('message');
  message.textContent = text;
  message.hidden = false;
}
var Module = {
  canvas: canvas,
  onNoWebGL: function () {
    showMessage('The animation needs WebGL, which this browser has turned off or does not offer.');
  },
  onAbort: function (what) {
    showMessage('The animation could not run (' + what + '). If this page was copied, ' +
                'index.js and index.wasm must be copied beside it.');
  },
};
addEventListener('error', function (event) {
  if (event.target.src && /index\.js$/.test(event.target.src)) Module.onAbort(event.target.src + ' did not load');
}, true);
canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
