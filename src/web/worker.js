// The program's own thread: the page sends the canvas and its size, and then
// each new size; the program's words for the page go back as messages.
'use strict';
var Module = null;

function sendToPage(name) {
  return function (value) {
    var message = {};
    message[name] = value === undefined ? true : String(value);
    postMessage(message);
  };
}

// As on the page (page.js).
addEventListener('unhandledrejection', function (event) {
  Module.onAbort(String(event.reason));
});

onmessage = function (event) {
  if (Module) {
    Module.windowSize = event.data.windowSize;
    return;
  }
  Module = { canvas: event.data.canvas, windowSize: event.data.windowSize, onTitle: sendToPage('title'),
             onNoWebGL: sendToPage('noWebGL'), onNoShaders: sendToPage('noShaders'), onAbort: sendToPage('abort') };
  try {
    importScripts('index.js');
  } catch (error) {
    Module.onAbort('index.js did not load');
  }
};
