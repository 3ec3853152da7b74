// The guide page: the Markdown guide as HTML, whose pictures the figures' own
// code, compiled for the web (guide_figures.js), draws again live; beside the
// figures a reader can change, a native control for it. Without script the
// page reads whole, with the pictures as committed.
'use strict';
var russian = document.documentElement.lang === 'ru';
function say(english, inRussian) {
  return russian ? inRussian : english;
}

// The settings a reader may change, by figure.
var controls = {
  'level-cycle': { label: say('Step', 'Шаг') },
  'first-frame': { label: say('Tick', 'Такт'), play: [say('Play the 13 ticks', 'Проиграть 13 тактов'), say('Stop', 'Остановить')] },
  'drift': { label: say('Strips in a frame', 'Полосок в кадре'), choices: [
    [126, say("126, the program's", '126 — как в программе')],
    [117, say('117, what if: the tongues would stand still', '117 — языки стояли бы на месте')],
    [108, say('108, what if: the tongues would drift right', '108 — языки смещались бы вправо')]] },
  'flicker': { label: say('What if the lift were level + 0.2', 'Что, если подъём = уровень + 0,2'), flag: true },
};

var Module = { onRuntimeInitialized: drawLive };

function setting(name, which) {
  return Module.ccall('guideSetting', 'number', ['string', 'number'], [name, which]);
}

// Draws a figure at a setting into its picture, and says what it shows.
function show(figure, value) {
  var svg = Module.ccall('guideFigure', 'string', ['string', 'number', 'number'], [figure.name, russian ? 1 : 0, value]);
  var old = figure.image.src;
  figure.image.src = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
  if (old.startsWith('blob:')) URL.revokeObjectURL(old);
  // The title names the setting last, after the figure's own name.
  if (figure.output) figure.output.value = /<title>([^<]*)<\/title>/.exec(svg)[1].split('; ').pop();
}

function makeInput(name, control) {
  var input;
  if (control.choices) {
    input = document.createElement('select');
    control.choices.forEach(function (choice) { input.add(new Option(choice[1], choice[0])); });
  } else {
    input = document.createElement('input');
    input.type = control.flag ? 'checkbox' : 'range';
    input.min = setting(name, 0);
    input.max = setting(name, 1);
  }
  input.value = setting(name, 2);
  input.setting = function () { return control.flag ? Number(input.checked) : Number(input.value); };
  return input;
}

// Plays the ticks of one cycle, one every 150 ms as the program does.
function makePlayButton(figure, input, words) {
  var button = document.createElement('button'), playing = null;
  button.type = 'button';
  button.textContent = words[0];
  button.addEventListener('click', function () {
    if (playing) clearInterval(playing);
    playing = playing ? null : setInterval(function () {
      input.value = input.setting() % Number(input.max) + 1;
      show(figure, input.setting());
    }, 150);
    button.textContent = words[playing ? 1 : 0];
  });
  return button;
}

function addControl(figure, control) {
  var line = document.createElement('p'), label = document.createElement('label');
  var input = makeInput(figure.name, control);
  line.className = 'control';
  if (control.flag) label.append(input, ' ' + control.label);
  else label.append(control.label + ' ', input);
  figure.output = document.createElement('output');
  line.append(label, ' ');
  if (control.play) line.append(makePlayButton(figure, input, control.play), ' ');
  line.append(figure.output);
  input.addEventListener(control.choices || control.flag ? 'change' : 'input', function () {
    show(figure, input.setting());
  });
  figure.image.closest('p').after(line);
}

// One figure a task, so that the page answers the reader between them.
function drawLive() {
  var images = [].slice.call(document.querySelectorAll('img[src*="how-it-moves/"]'));
  (function drawNext() {
    var image = images.shift();
    if (!image) {
      document.documentElement.dataset.live = 'yes';
      return;
    }
    var figure = { name: /([a-z-]+)\.svg$/.exec(image.getAttribute('src'))[1], image: image };
    image.dataset.figure = figure.name;
    if (controls[figure.name]) addControl(figure, controls[figure.name]);
    show(figure, setting(figure.name, 2));
    setTimeout(drawNext);
  })();
}

// Offline once visited: the site's service worker keeps this page's files.
if ('serviceWorker' in navigator) {
  var files = [location.pathname, 'guide.js', 'guide.css', 'guide_figures.js', 'guide_figures.wasm'];
  document.querySelectorAll('img').forEach(function (image) { files.push(image.getAttribute('src')); });
  navigator.serviceWorker.register('sw.js');
  navigator.serviceWorker.ready.then(function (registration) {
    registration.active.postMessage({ keep: files });
  });
}
