// The web build in headless Chromium, served from 127.0.0.1 as a static host
// would: its frames checked against the model by the same predictor as the
// X11 window's, its rhythm, its page, and what it says when it cannot run.
// Usage: node web_test.js SITE_DIR FRAME_CHECKER (plays | explains)
'use strict';
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const { chromium } = require('playwright-core');

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
// errors, console errors other than emscripten's one known warning, and any
// request that leaves this machine.
async function open(server, browserArgs = []) {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', ...browserArgs],
  });
  const page = await browser.newPage();
  const origin = `http://127.0.0.1:${server.address().port}`;
  const faults = [];
  page.on('pageerror', (error) => faults.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error' && !/^WARNING: using emscripten GL emulation/.test(message.text())) {
      faults.push(`console error: ${message.text()}`);
    }
  });
  page.on('request', (request) => {
    if (!request.url().startsWith(`${origin}/`)) faults.push(`request to ${request.url()}`);
  });
  await page.addInitScript(captureFrames);
  await page.goto(`${origin}/`);
  return { browser, page, faults };
}

// Runs in the page before its scripts. GLUT draws each frame in an animation
// frame callback; right after it, before the browser shows and clears the
// buffer, this reads the frame back as a binary PPM for the frame checker.
function captureFrames() {
  window.flamesFrames = [];
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((time) => {
    callback(time);
    const gl = window.Module && window.Module.ctx;
    if (!gl) return;
    const width = gl.drawingBufferWidth, height = gl.drawingBufferHeight;
    const rgba = new Uint8Array(width * height * 4);
    gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
    let ppm = `P6\n${width} ${height}\n255\n`;
    for (let y = height - 1; y >= 0; --y) {  // GL counts rows from the bottom
      const row = rgba.subarray(y * width * 4, (y + 1) * width * 4).filter((_, i) => i % 4 !== 3);
      ppm += String.fromCharCode.apply(null, row);
    }
    window.flamesFrames.push({ time: performance.now(), width, height, ppm: btoa(ppm) });
  });
}

async function plays() {
  const server = await serve();
  const { browser, page, faults } = await open(server);
  try {
    // The first frame and 27 ticks: two whole cycles and one more frame.
    await page.waitForFunction(() => window.flamesFrames.length >= 28, null, { timeout: 20000, polling: 100 });
    const frames = (await page.evaluate(() => window.flamesFrames)).slice(0, 28);
    assert.equal(await page.title(), TITLE);
    assert.equal(await page.getAttribute('html', 'lang'), 'ru');
    const box = await page.locator('canvas').boundingBox();
    assert.deepEqual([frames[0].width, frames[0].height, box.width, box.height], [500, 500, 500, 500]);

    const directory = fs.mkdtempSync(path.join(os.tmpdir(), 'flames-web-frames-'));
    try {
      const files = frames.map((frame, i) => path.join(directory, `frame-${String(i).padStart(2, '0')}.ppm`));
      files.forEach((file, i) => fs.writeFileSync(file, Buffer.from(frames[i].ppm, 'base64')));
      console.log(execFileSync(frameChecker, files, { encoding: 'utf8' }).trim());
    } finally {
      fs.rmSync(directory, { recursive: true });
    }

    // The first tick a second after start-up, the rest every 150 ms; each
    // shows on a display refresh, and a busy machine delays one now and then.
    const times = frames.map((frame) => frame.time);
    const firstTick = times[1] - times[0];
    const gaps = times.slice(2).map((time, i) => time - times[i + 1]).sort((a, b) => a - b);
    const median = gaps[gaps.length >> 1];
    console.log(`first frame ${times[0].toFixed(1)} ms after the page was asked for; ` +
                `first tick after ${firstTick.toFixed(1)} ms; ticks ${median.toFixed(1)} ms apart ` +
                `(median), ${gaps[0].toFixed(1)} to ${gaps[gaps.length - 1].toFixed(1)} ms`);
    assert.ok(firstTick > 900 && firstTick < 1150, `first tick after ${firstTick} ms`);
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
      await page.locator('#message').waitFor({ state: 'visible', timeout: 10000 });
      assert.match(await page.locator('#message').textContent(), expected);
      assert.equal(await page.locator('canvas').isVisible(), false);
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
