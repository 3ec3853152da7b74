// The web build in a real browser, served from 127.0.0.1 as a static host
// would: its frames judged by the same predictor as the X11 window's, its
// rhythm, its page, and what it says when it cannot run.
// Usage: node web_test.js SITE_DIR FRAME_CHECKER (plays | explains)
'use strict';
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const [siteArgument, frameChecker, mode] = process.argv.slice(2);
const site = path.resolve(siteArgument);
const TITLE = 'Языки пламени';
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png' };

// Serves the site's files; those named in `missing` answer 404, as on a host
// where the site was copied in part.
function serve(missing = []) {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://host').pathname.replace(/^\/$/, '/index.html');
    const file = path.join(site, path.normalize(name));
    if (missing.includes(name) || !file.startsWith(site) || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Opens the page in a fresh browser and notes what a user would not want: page
// errors, anything on the console, and any request that leaves this machine.
async function open(server, browserArgs = []) {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', ...browserArgs],
    defaultViewport: { width: 1280, height: 800 },
  });
  const page = await browser.newPage();
  const origin = `http://127.0.0.1:${server.address().port}`;
  const faults = [];
  page.on('pageerror', (error) => faults.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error' && !/^WARNING: using emscripten GL emulation/.test(message.text())) {
      faults.push(`console ${message.type()}: ${message.text()}`);
    }
  });
  page.on('request', (request) => {
    if (!request.url().startsWith(`${origin}/`)) faults.push(`request to ${request.url()}`);
  });
  await page.evaluateOnNewDocument(captureFrames);
  await page.goto(`${origin}/`);
  return { browser, page, faults };
}

// Runs in the page before its scripts. GLUT draws each frame in an animation
// frame callback; right after it, before the browser shows and clears the
// buffer, this notes the time and copies the pixels, and nothing more: the
// program's own timing is what is measured. Each frame also notes when the
// timer behind it was armed, the tick's cause.
function captureFrames() {
  const setTimer = window.setTimeout.bind(window);
  let armedAt = null;
  window.setTimeout = (callback, delay, ...rest) => {
    const armed = performance.now();
    return setTimer(() => { armedAt = armed; callback(...rest); }, delay);
  };
  window.flamesFrames = [];
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((time) => {
    callback(time);
    const drawnAt = performance.now();
    const gl = window.Module && window.Module.ctx;
    if (!gl || window.flamesFrames.length >= 64) return;
    const { drawingBufferWidth: width, drawingBufferHeight: height } = gl;
    const rgba = new Uint8Array(width * height * 4);
    gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
    window.flamesFrames.push({ drawnAt, tickArmedAt: armedAt, width, height, rgba });
  });
}

// The first `count` frames the page drew (from `from` on), their pixels judged
// by the frame checker in `checkMode`; returns their times and sizes.
async function judgeFrames(page, count, checkMode, from = 0) {
  await page.waitForFunction((n) => window.flamesFrames.length >= n, { timeout: 20000, polling: 100 }, from + count);
  const frames = await page.evaluate((from, count) => window.flamesFrames.slice(from, from + count)
    .map(({ rgba, ...frame }) => frame), from, count);
  const directory = fs.mkdtempSync(path.join(os.tmpdir(), 'flames-web-frames-'));
  try {
    const files = [];
    for (let i = 0; i < count; ++i) {
      // Encoded only now, long after the frame was drawn.
      const rgba = await page.evaluate((k) => {
        const bytes = window.flamesFrames[k].rgba;
        let binary = '';
        for (let at = 0; at < bytes.length; at += 0x8000) {
          binary += String.fromCharCode.apply(null, bytes.subarray(at, at + 0x8000));
        }
        return btoa(binary);
      }, from + i);
      files.push(path.join(directory, `frame-${String(i).padStart(2, '0')}.rgba`));
      fs.writeFileSync(files[i], Buffer.from(rgba, 'base64'));
    }
    const { width, height } = frames[0];
    console.log(execFileSync(frameChecker, [checkMode, width, height, ...files], { encoding: 'utf8' }).trim());
  } finally {
    fs.rmSync(directory, { recursive: true });
  }
  return frames;
}

async function plays() {
  const server = await serve();
  const { browser, page, faults } = await open(server);
  try {
    // The first frame and 27 ticks: two whole cycles and one more frame.
    const frames = await judgeFrames(page, 28, 'startup');
    assert.equal(await page.title(), TITLE);
    assert.equal(await page.$eval('html', (html) => html.lang), 'ru');
    const box = await page.$eval('canvas', (canvas) => canvas.getBoundingClientRect().toJSON());
    assert.deepEqual([frames[0].width, frames[0].height, box.width, box.height], [500, 500, 500, 500]);

    // Start-up arms the first tick, a second before its frame; the rest come
    // every 150 ms, each shown on the next display refresh. Every time is
    // taken as the frame is drawn, and the first tick is timed from the
    // arming, however long loading the page or drawing the first frame took.
    const firstTick = frames[1].drawnAt - frames[1].tickArmedAt;
    const gaps = frames.slice(2).map((frame, i) => frame.drawnAt - frames[i + 1].drawnAt).sort((a, b) => a - b);
    const median = gaps[gaps.length >> 1];
    console.log(`first frame ${frames[0].drawnAt.toFixed(1)} ms after the page was asked for; ` +
                `first tick ${firstTick.toFixed(1)} ms after start-up armed it; ticks ${median.toFixed(1)} ms ` +
                `apart (median), ${gaps[0].toFixed(1)} to ${gaps[gaps.length - 1].toFixed(1)} ms`);
    assert.ok(firstTick > 1000 && firstTick < 1200, `first tick after ${firstTick} ms`);
    assert.ok(median > 145 && median < 156, `ticks ${median} ms apart`);
    assert.deepEqual(faults, []);
  } finally {
    await browser.close();
    server.close();
  }
}

// Without WebGL, or with the program's .wasm missing, the page says why in words.
async function explains() {
  for (const [browserArgs, missing, expected] of [
    [['--disable-webgl'], [], /needs WebGL/],
    [[], ['/index.wasm'], /index\.wasm must be copied/],
  ]) {
    const server = await serve(missing);
    const { browser, page, faults } = await open(server, browserArgs);
    try {
      await page.waitForSelector('#message', { visible: true, timeout: 10000 });
      assert.match(await page.$eval('#message', (message) => message.textContent), expected);
      assert.equal(await page.$('canvas:not([hidden])'), null);
      if (missing.length === 0) assert.deepEqual(faults, []);
    } finally {
      await browser.close();
      server.close();
    }
  }
  console.log('the page explains a browser without WebGL and a missing .wasm');
}

(mode === 'plays' ? plays : explains)().catch((error) => {
  console.error(error);
  process.exit(1);
});
