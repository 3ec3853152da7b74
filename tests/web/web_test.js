// The web build in real browsers, served from 127.0.0.1 as a static host
// would: its frames judged by the same predictor as the X11 window's, on every
// screen size; its rhythm; the page for every visitor; its poster as the first
// paint; installed, offline, after a lost context; a second build reaching
// returning visitors whole; WebKit; and what it says when it cannot run.
// Usage: FLAMES_TITLE=TITLE FLAMES_GUIDE_PICTURES=PROGRAM node web_test.js SITE_DIR FRAME_CHECKER
//          (chromium | offline | engines | explains | guide)
// TITLE is the program's, which the build writes into the page; PROGRAM is
// guide_pictures, which draws each figure as the guide page must.
'use strict';
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');
const { Builder } = require('selenium-webdriver');
const { findFreePort } = require('selenium-webdriver/net/portprober');
const { DriverService } = require('selenium-webdriver/remote');

const [siteArgument, frameChecker, mode] = process.argv.slice(2);
const site = path.resolve(siteArgument);
const title = process.env.FLAMES_TITLE;
assert.ok(title, 'FLAMES_TITLE names no title');
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm', '.png': 'image/png',
  '.webp': 'image/webp', '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml' };

// Serves a site as a static host does, with validators and 304s; files
// named in `missing` answer 404, as on a host where the site was copied in
// part, and the file named `hold` only once `release()` is called. Every
// response names the build it is from (X-Flames-Build); `use(dir, build)`
// puts another build on the host. `inject` is a script added at the top of
// each page, `everywhere` one added to the page and to the worker, after the
// frame capture and the collector of faults the worker always gets. `sent()`
// is every byte sent but those added; `stop()` takes the network away.
async function serve({ missing = [], hold = null, inject = '', everywhere = '' } = {}) {
  const sockets = new Set(), added = {
    '/index.html': (inject || everywhere) && `<script>${inject}${everywhere}</script>`,
    '/worker.js': `(${captureFrames})(0); (${collectFaults})(); ${everywhere}\n`,
  };
  let root = site, build = 'A', release, addedBytes = 0;
  const held = new Promise((resolve) => { release = resolve; });
  const server = http.createServer(async (request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname.replace(/^\/$/, '/index.html');
    if (name === hold) await held;
    const file = path.join(root, path.normalize(name));
    const found = !missing.includes(name) && file.startsWith(root) && fs.existsSync(file);
    // Asked again each time, so a new build is seen at once.
    const tag = found && `"${build}-${fs.statSync(file).mtimeMs}"`;
    if (!found) return response.writeHead(404).end();
    const headers = { 'Cache-Control': 'no-cache', ETag: tag, 'X-Flames-Build': build };
    if (request.headers['if-none-match'] === tag) return response.writeHead(304, headers).end();
    response.writeHead(200, { ...headers, 'Content-Type': TYPES[path.extname(file)] });
    const extra = added[name.endsWith('.html') ? '/index.html' : name];
    if (!extra) return fs.createReadStream(file).pipe(response);
    addedBytes += Buffer.byteLength(extra);
    const text = fs.readFileSync(file, 'utf8');
    response.end(name === '/worker.js' ? extra + text : text.replace('<head>', `<head>${extra}`));
  });
  server.on('connection', (socket) => sockets.add(socket));
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    origin: `http://127.0.0.1:${server.address().port}`,
    release,
    use: (dir, name) => { root = dir; build = name; },
    sent: () => [...sockets].reduce((sum, socket) => sum + socket.bytesWritten, 0) - addedBytes,
    stop: () => { if (server.listening) server.close(); sockets.forEach((socket) => socket.destroy()); },
  };
}

// Build B: the same site with another heading (the title is the program's),
// its service worker made again as the build makes it.
function buildB() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'flames-build-b-'));
  fs.cpSync(site, dir, { recursive: true });
  const page = path.join(dir, 'index.html');
  fs.writeFileSync(page, fs.readFileSync(page, 'utf8').replace(`<h1>${title}`, `<h1>${title}, B`));
  const kept = /const FILES = '([^']*)'/.exec(fs.readFileSync(path.join(site, 'sw.js'), 'utf8'))[1].split(' ');
  execFileSync('cmake', [`-DSITE=${dir}`, `-DFILES=${kept.map((file) => file === './' ? 'index.html' : file).join(';')}`,
    '-P', path.join(__dirname, '../../src/web/service_worker.cmake')]);
  return dir;
}

// Runs in the page, and in a worker the page starts, before their scripts.
// GLUT draws each frame in an animation frame callback; right after it,
// before the browser shows and clears the buffer, this notes the time and
// size, and copies the pixels of the next `keep` frames, and nothing more: the
// program's own timing is what is measured. Each frame also notes when the
// timer behind it was armed, its cause, by the clock of the thread it ran in.
// A worker's frames come to the page's window.flames, and what the worker's
// collectFaults finds goes to the page's console.
function captureFrames(keep) {
  const setTimer = self.setTimeout.bind(self), inWorker = !self.document;
  let armedAt = null, workers = [];
  self.setTimeout = (callback, delay, ...rest) => {
    const armed = performance.now();
    return setTimer(() => { armedAt = armed; callback(...rest); }, delay);
  };
  const flames = self.flames = { frames: [], get keep() { return keep; }, set keep(count) {
    keep = count;
    workers.forEach((worker) => worker.postMessage({ flamesKeep: count }));
  } };
  const request = self.requestAnimationFrame.bind(self);
  self.requestAnimationFrame = (callback) => request((time) => {
    callback(time);
    const drawnAt = performance.now(), gl = self.Module && self.Module.ctx;
    if (!gl) return;
    const frame = { drawnAt, tickArmedAt: armedAt, width: gl.drawingBufferWidth, height: gl.drawingBufferHeight };
    if (flames.keep-- > 0) {
      frame.rgba = new Uint8Array(frame.width * frame.height * 4);
      gl.readPixels(0, 0, frame.width, frame.height, gl.RGBA, gl.UNSIGNED_BYTE, frame.rgba);
    }
    if (inWorker) postMessage({ flamesFrame: frame }); else flames.frames.push(frame);
  });
  const hear = (target, name, handle) => target.addEventListener('message', (event) => {
    if (!(name in event.data)) return;
    event.stopImmediatePropagation();
    handle(event.data[name]);
  });
  if (inWorker) return hear(self, 'flamesKeep', (count) => { keep = count; });
  document.addEventListener('securitypolicyviolation', (event) =>
    console.error(`blocked by the page's policy: ${event.violatedDirective} ${event.blockedURI}`));
  const StartWorker = self.Worker;
  self.Worker = function (...args) {
    const worker = new StartWorker(...args);
    hear(worker, 'flamesFrame', (frame) => flames.frames.push(frame));
    hear(worker, 'flamesFault', (fault) => console.error(`in the worker: ${fault}`));
    worker.postMessage({ flamesKeep: keep });
    workers.push(worker);
    return worker;
  };
}

// Runs in the page before its scripts where no browser driver can listen in
// (WebKit's), and in every worker: what the visitor's console shows, page
// errors, and every request to another host, in window.flamesFaults; a worker
// sends them to the page.
function collectFaults() {
  const faults = self.flamesFaults = [];
  if (!self.document) faults.push = (fault) => postMessage({ flamesFault: fault });
  for (const level of ['debug', 'log', 'info', 'warn', 'error']) {
    const print = console[level].bind(console);
    console[level] = (...words) => { faults.push(`console ${level}: ${words.join(' ')}`); print(...words); };
  }
  addEventListener('error', (event) => faults.push(`page error: ${event.message}`));
  addEventListener('unhandledrejection', (event) => faults.push(`page error: ${event.reason}`));
  new PerformanceObserver((entries) => entries.getEntries().forEach((entry) => {
    if (!/^(data|blob):/.test(entry.name) && !entry.name.startsWith(`${location.origin}/`)) faults.push(`request to ${entry.name}`);
  })).observe({ type: 'resource', buffered: true });
}

// Frames `from` to `from + count` (kept by `keep`), their pixels judged by the
// frame checker in `checkMode` (startup or ticks); returns their times and sizes.
async function judgeFrames(page, from, count, checkMode) {
  await page.waitForFunction((n) => window.flames.frames.length >= n, { timeout: 20000, polling: 100 }, from + count);
  // Encoded only now, long after the frames were drawn.
  const frames = await page.evaluate((from, count) => window.flames.frames.slice(from, from + count)
    .map(({ rgba, ...frame }) => {
      let binary = '';
      for (let at = 0; at < rgba.length; at += 0x8000) binary += String.fromCharCode(...rgba.subarray(at, at + 0x8000));
      return { ...frame, rgba: btoa(binary) };
    }), from, count);
  check(checkMode, frames[0], Buffer.concat(frames.map((frame) => Buffer.from(frame.rgba, 'base64'))));
  return frames;
}

// Judges frames of that size, RGBA bottom row first as GL reads them, with the
// frame checker in `checkMode`.
function check(checkMode, { width, height }, rgba) {
  console.log(execFileSync(frameChecker, [checkMode, width, height], { input: rgba, encoding: 'utf8' }).trim());
}

// The first `count` frames from start-up, judged, and their rhythm: the first
// tick drawn a second after start-up armed it, and each tick 150 ms after the
// one before, timed from the moments the ticks ran (each arms the next), as
// the frames themselves wait for the browser's next animation frame, which
// WebKit gives unevenly. Loading the page or drawing the first frame does not
// count. Firefox's clock counts whole milliseconds, so a second can read 999.
async function judgeRhythm(page, count) {
  const frames = await judgeFrames(page, 0, count, 'startup');
  const firstTick = frames[1].drawnAt - frames[1].tickArmedAt;
  const perTick = (frames.at(-1).tickArmedAt - frames[2].tickArmedAt) / (count - 3);
  const thread = await page.evaluate(() => (worker ? 'a worker' : 'the page'));
  console.log(`drawn from ${thread}: first tick ${firstTick.toFixed(1)} ms after start-up armed it; ` +
    `then one every ${perTick.toFixed(1)} ms`);
  assert.ok(firstTick >= 999 && firstTick < 1200, `first tick after ${firstTick} ms`);
  assert.ok(perTick > 147 && perTick < 155, `ticks ${perTick} ms apart`);
}

// The canvas on screen: square, centred, fitting, drawn at the screen's
// pixels, and nothing to scroll. Given a new viewport first (a window resize,
// a turned phone, a new pixel ratio), the drawing follows, and a moment later
// (after the redraw the resize brings) ticks go on at the new size.
async function expectCanvas(page, side, bufferSide, viewport = null) {
  if (viewport) await page.setViewport(viewport);
  await page.waitForFunction((side) => window.flames.frames.at(-1).width === side, { timeout: 5000 }, bufferSide)
    .catch(() => {});
  const seen = await page.evaluate(() => {
    const box = canvas.getBoundingClientRect(), page = document.documentElement, drawn = window.flames.frames.at(-1);
    return [box.width, box.height, box.left * 2 + box.width - innerWidth, box.top * 2 + box.height - innerHeight,
            drawn.width, drawn.height, page.scrollWidth - innerWidth, page.scrollHeight - innerHeight];
  });
  assert.deepEqual(seen, [side, side, 0, 0, bufferSide, bufferSide, 0, 0]);
  if (!viewport) return;
  const from = await page.evaluate(() => { window.flames.keep = 4; return window.flames.frames.length; });
  await judgeFrames(page, from + 1, 3, 'ticks');
}

// What the visitor sees of the canvas, as the browser composites it over the
// page: a tick frame, black between the strips (no poster showing through).
// Once in some forty loaded runs Chromium's compositor handed one picture that
// was none, so it looks up to three times; a poster showing through shows in each.
async function expectComposited(page) {
  for (let look = 1; ; look++) {
    const seen = await (await page.$('canvas')).screenshot();
    const [width, height] = execFileSync('identify', ['-format', '%w %h', 'png:-'], { input: seen, encoding: 'utf8' })
      .split(' ').map(Number);
    try {
      return check('ticks', { width, height }, execFileSync('convert', ['png:-', '-flip', 'rgba:-'], { input: seen, maxBuffer: 1 << 26 }));
    } catch (error) {
      if (look === 3) throw error;
      console.log(`composited picture ${look}: ${error.stderr}`.trim());
    }
  }
}

// Runs `body` with an opener of pages in a browser, and the faults met so
// far, and then, unless told the page has a reason to complain, requires that
// the visitor met no fault: no page error, nothing at all on the console, no
// request to another host.
async function run(server, { browser = 'chrome' }, body, clean = true) {
  if (browser === 'webkit') return runWebKit(server, body);
  const instance = await puppeteer.launch(browser === 'firefox'
    ? { browser, executablePath: '/usr/bin/firefox-esr', headless: false }
    : { executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader'] });
  const faults = [];
  // `here`: as in a browser that cannot hand a canvas to a worker.
  const open = async (viewport = { width: 1280, height: 800 }, keep = 28, here = false, visit = '/') => {
    const page = await instance.newPage();
    page.on('pageerror', (error) => faults.push(`page error: ${error.message}`));
    // Chromium's note that the capture's own readPixels waited for the GPU is the test's doing.
    page.on('console', (message) => /GPU stall due to ReadPixels/.test(message.text()) ||
      faults.push(`console ${message.type()}: ${message.text()}`));
    page.on('request', (request) => {
      // What the page made itself (blob:, and axe's data: font) leaves no trace on the network.
      if (!/^(data|blob):/.test(request.url()) && !request.url().startsWith(`${server.origin}/`)) faults.push(`request to ${request.url()}`);
    });
    // The builds the page's files came from (the service worker's script is the browser's own).
    page.builds = new Set();
    page.on('response', (response) => response.url().endsWith('/sw.js') ||
      page.builds.add(response.headers()['x-flames-build']));
    await page.setViewport(viewport);
    await page.evaluateOnNewDocument(captureFrames, keep);
    if (here) await page.evaluateOnNewDocument(() => delete HTMLCanvasElement.prototype.transferControlToOffscreen);
    await page.goto(`${server.origin}${visit}`);
    return page;
  };
  try {
    await body(open, faults);
    if (clean) assert.deepEqual(faults, []);
  } finally {
    await instance.close();
    server.stop();
  }
}

// WebKit as WebKitGTK's MiniBrowser, over plain W3C WebDriver, where nothing
// can listen in: the server has put the frame capture and the collector of
// faults into the page, and the opener's page offers what judgeFrames asks.
async function runWebKit(server, body) {
  const port = await findFreePort();
  const service = new DriverService('WebKitWebDriver', { port, args: [`--port=${port}`], loopback: true });
  const binary = fs.readdirSync('/usr/lib').map((dir) => `/usr/lib/${dir}/webkit2gtk-4.1/MiniBrowser`)
    .find(fs.existsSync);
  const driver = new Builder().usingServer(await service.start()).withCapabilities({ browserName: 'MiniBrowser',
    'webkitgtk:browserOptions': { binary, args: ['--automation'] } }).build();
  const page = {
    evaluate: (script, ...values) => driver.executeAsyncScript(`const done = arguments[arguments.length - 1];
      Promise.resolve((${script}).apply(null, [...arguments].slice(0, -1))).then(done);`, ...values),
    waitForFunction: (script, { timeout }, ...values) =>
      driver.wait(() => page.evaluate(script, ...values), timeout, 'no frames', 100),
  };
  try {
    await body(async (...options) => { await driver.get(`${server.origin}${options[3] || '/'}`); return page; });
    assert.deepEqual(await page.evaluate(() => window.flamesFaults), []);
  } finally {
    await driver.quit().catch(() => {});
    service.kill();
    server.stop();
  }
}

// The guide page in a language: once live, each figure shows what the model
// draws, byte for byte: at its defaults the committed picture, and after each
// control is moved (or the ticks played) the drawing at the new setting.
async function checkGuide(page, language) {
  await page.waitForFunction(() => document.documentElement.dataset.live === 'yes', { timeout: 30000 });
  const shown = async () => Object.fromEntries(await page.evaluate(() => Promise.all(
    [...document.querySelectorAll('img[data-figure]')].map(async (image) =>
      [image.dataset.figure, await (await fetch(image.src)).text()]))));
  const drawn = (name, setting) => execFileSync(process.env.FLAMES_GUIDE_PICTURES, [name, language, String(setting)],
    { encoding: 'utf8' });
  const committed = path.join(__dirname, '../../docs/how-it-moves', language);
  const atDefaults = await shown();
  assert.deepEqual(Object.keys(atDefaults).sort(), fs.readdirSync(committed).map((file) => path.basename(file, '.svg')).sort());
  for (const [name, svg] of Object.entries(atDefaults)) {
    assert.ok(svg === fs.readFileSync(path.join(committed, `${name}.svg`), 'utf8'), `live ${language}/${name}.svg is not the committed one`);
  }
  const control = (name, value) => page.evaluate((name, value) => {
    const line = document.querySelector(`img[data-figure="${name}"]`).closest('p').nextElementSibling;
    const input = line.querySelector('input, select');
    if (value === 'play') return line.querySelector('button').click();
    if (input.type === 'checkbox') input.checked = Boolean(value);
    else input.value = value;
    input.dispatchEvent(new Event(input.type === 'range' ? 'input' : 'change'));
    return line.querySelector('output').value;
  }, name, value);
  for (const [name, setting] of [['level-cycle', 57], ['first-frame', 10], ['flicker', 1], ['drift', 117], ['drift', 108]]) {
    const said = await control(name, setting), svg = drawn(name, setting);
    assert.ok((await shown())[name] === svg, `${language}/${name} at ${setting} is not what the model draws`);
    assert.ok(svg.includes(`${said}</title>`), `${name} says "${said}"`);
  }
  await control('first-frame', 'play');
  await page.waitForFunction(() => document.querySelector('input[type=range][max="13"]').value === '3', { timeout: 5000 });
  await control('first-frame', 'play');
  const tick = await page.evaluate(() => document.querySelector('input[type=range][max="13"]').value);
  assert.ok((await shown())['first-frame'] === drawn('first-frame', tick), `playing stopped at tick ${tick}, not drawn as the model draws it`);
  return { shown, drawn };
}

const modes = {
  // On a desktop, then the same page turned into a phone, rotated, on a
  // high-DPI screen; and a page that starts on a phone, in a browser that
  // cannot hand its canvas to a worker.
  chromium: async () => {
    // Until the program has loaded, what the visitor sees is its first frame.
    const server = await serve({ hold: '/index.wasm' });
    await run(server, {}, async (open) => {
      const page = await open();
      assert.equal(await page.evaluate(() => window.flames.frames.length), 0, 'the program drew before it loaded');
      const seen = await (await page.$('canvas')).screenshot();
      check('startup', { width: 500, height: 500 }, execFileSync('convert', ['png:-', '-flip', 'rgba:-'], { input: seen }));
      server.release();
      await judgeRhythm(page, 28);
      assert.deepEqual([await page.title(), await page.$eval('h1', (heading) => heading.textContent),
        await page.$eval('html', (html) => html.lang)], [title, title, 'ru']);
      await expectCanvas(page, 500, 500);
      await expectComposited(page);
      await expectCanvas(page, 300, 300, { width: 400, height: 300, deviceScaleFactor: 1 });
      await page.evaluate(fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8'));
      const { violations } = await page.evaluate(() => window.axe.run());
      assert.deepEqual(violations.map((violation) => violation.id), [], 'axe-core finds no violation');
      await expectCanvas(page, 360, 1080, { width: 360, height: 740, deviceScaleFactor: 3 });
      await expectCanvas(page, 360, 1080, { width: 740, height: 360, deviceScaleFactor: 3 });
      await expectCanvas(page, 500, 1000, { width: 1280, height: 800, deviceScaleFactor: 2 });
      const phone = await open({ width: 360, height: 740, deviceScaleFactor: 3 }, 4, true);
      await judgeFrames(phone, 0, 4, 'startup');  // the first frame already at its final size
      assert.deepEqual(phone.workers(), [], 'the program draws on the page');
      await expectCanvas(phone, 360, 1080);
      await expectComposited(phone);
    });
  },

  // Visited once, light and installable. Then a second build on the host
  // reaches the returning visitor whole: a page of the first build gets
  // nothing but its files while the new worker waits; once no such page is
  // open, a later visit shows the new build, and the old build's cache is gone.
  // With the network gone it plays on a reload; when the GPU takes its context
  // away, it comes back.
  offline: async () => {
    const server = await serve(), newSite = buildB();
    await run(server, {}, async (open) => {
      const first = await open();
      await first.evaluate(() => navigator.serviceWorker.ready);
      const cdp = await first.createCDPSession();
      assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
      console.log(`the first visit transferred ${server.sent()} bytes`);
      assert.ok(server.sent() <= 48 * 1024, `the first visit transferred ${server.sent()} bytes`);
      await first.close();
      server.use(newSite, 'B');
      let visits = 0, page;
      do {
        page = await open();
        await judgeFrames(page, 0, 2, 'startup');
        console.log(`visit ${++visits} after the update: build ${[...page.builds].join(' and ')}`);
        assert.equal(page.builds.size, 1, 'one page, one build');
        assert.equal(await page.$eval('h1', (heading) => heading.textContent.endsWith(', B')), page.builds.has('B'));
        if (page.builds.has('A')) {
          await page.waitForFunction(async () => (await navigator.serviceWorker.getRegistration()).waiting,
            { timeout: 10000 }).catch(() => assert.fail('the new build brings no new service worker'));
          assert.deepEqual([...page.builds], ['A'], 'the page of the old build got files of the new');
          await page.close();
        }
      } while (page.builds.has('A') && visits < 4);
      assert.ok(page.builds.has('B'), `still the old build after ${visits} visits`);
      const cache = /const CACHE = '([^']*)'/.exec(fs.readFileSync(path.join(newSite, 'sw.js'), 'utf8'))[1];
      assert.deepEqual(await page.evaluate(() => caches.keys()), [cache], 'only the new build is kept');
      server.stop();
      await page.reload();
      await judgeFrames(page, 0, 4, 'startup');
      // When the GPU takes the context away and gives it back, the page plays
      // on where it was, without a reload: the frames before and after are
      // consecutive ticks, and none is drawn while the context is lost. The
      // page hears of the restored context late, as on a busy machine.
      const from = await page.evaluate(() => { window.flamesPage = 'kept'; window.flames.keep = 6;
        return window.flames.frames.length; });
      await page.waitForFunction((n) => window.flames.frames.length > n, { timeout: 5000, polling: 100 }, from);
      // In the program's thread, the worker's.
      assert.equal(page.workers().length, 1, 'the program draws from a worker');
      await page.workers()[0].evaluate(() => {
        const canvas = self.Module.canvas;
        canvas.addEventListener('webglcontextrestored', (event) => {
          if (!event.isTrusted) return;
          event.stopImmediatePropagation();
          setTimeout(() => canvas.dispatchEvent(new Event('webglcontextrestored')), 400);
        }, true);
        const context = self.Module.ctx.getExtension('WEBGL_lose_context');
        context.loseContext();
        setTimeout(() => context.restoreContext(), 200);
      });
      await judgeFrames(page, from, 6, 'ticks');
      assert.equal(await page.evaluate(() => window.flamesPage), 'kept', 'the page was loaded again');
    });
    fs.rmSync(newSite, { recursive: true });
  },

  // Firefox and WebKit (Safari's engine), in a real X server: the same
  // frames, the same rhythm, a clean console.
  engines: async () => {
    await run(await serve(), { browser: 'firefox' }, async (open) => judgeRhythm(await open(), 15));
    await run(await serve({ inject: `(${captureFrames})(15); (${collectFaults})();` }), { browser: 'webkit' },
      async (open) => judgeRhythm(await open(), 15));
  },

  // The guide page, both languages in Chromium, one each in Firefox and
  // WebKit; named for screen readers as axe checks; offline once visited.
  guide: async () => {
    await run(await serve(), {}, async (open) => {
      await checkGuide(await open(undefined, 0, false, '/guide.ru.html'), 'ru');
      const page = await open(undefined, 0, false, '/guide.html');
      const { shown, drawn } = await checkGuide(page, 'en');
      // By keyboard alone: the step's range, focused, moves on an arrow key (from step 57).
      await page.focus('input[type=range][max="117"]');
      await page.keyboard.press('ArrowRight');
      assert.ok((await shown())['level-cycle'] === drawn('level-cycle', 58), 'an arrow key does not move the step');
      await page.evaluate(fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8'));
      const { violations } = await page.evaluate(() => window.axe.run());
      assert.deepEqual(violations.map((violation) => violation.id), [], 'axe-core finds no violation');
    });
    const server = await serve();
    await run(server, {}, async (open) => {
      const page = await open(undefined, 0, false, '/guide.html');
      await page.waitForFunction(async () => (await caches.keys()).length === 1 &&
        Boolean(await caches.match('guide_figures.wasm')), { timeout: 20000 });
      console.log(`the guide's first visit, kept for offline reading, transferred ${server.sent()} bytes`);
      server.stop();
      await page.reload();
      await checkGuide(page, 'en');
    });
    await run(await serve(), { browser: 'firefox' }, async (open) => checkGuide(await open(undefined, 0, false, '/guide.html'), 'en'));
    await run(await serve({ inject: `(${collectFaults})();` }), { browser: 'webkit' },
      async (open) => checkGuide(await open(undefined, 0, false, '/guide.ru.html'), 'ru'));
  },

  // Without WebGL, with shaders its WebGL will not compile, or with the
  // program's .wasm, .js or worker missing (in either thread), the page says
  // why in words, and of the shaders the console says what WebGL said.
  // Chromium offers WebGL to workers even when told not to, so a browser
  // without WebGL is one whose canvases answer null, in each thread.
  explains: async () => {
    const noWebGL = `for (const Canvas of [self.HTMLCanvasElement, self.OffscreenCanvas].filter(Boolean)) {
      const get = Canvas.prototype.getContext;
      Canvas.prototype.getContext = function (type, ...rest) {
        return /webgl/.test(type) ? null : get.call(this, type, ...rest);
      };
    }`;
    const badShaders = `const source = WebGLRenderingContext.prototype.shaderSource;
    WebGLRenderingContext.prototype.shaderSource = function (shader, text) {
      source.call(this, shader, text + '\\n#error broken on purpose\\n');
    };`;
    for (const [everywhere, missing, expected, here, logged] of [[noWebGL, [], /needs WebGL/],
      [badShaders, [], /cannot draw/, false, /broken on purpose/],
      ['', ['/index.wasm'], /index\.wasm and worker\.js must be copied/], ['', ['/index.js'], /index\.js did not load/],
      ['', ['/index.js'], /index\.js did not load/, 'on the page'], ['', ['/worker.js'], /worker\.js did not load/]]) {
      await run(await serve({ missing, everywhere }), {}, async (open, faults) => {
        const page = await open(undefined, undefined, Boolean(here));
        await page.waitForSelector('#message', { visible: true, timeout: 10000 });
        assert.match(await page.$eval('#message', (message) => message.textContent), expected);
        assert.equal(await page.$('canvas:not([hidden])'), null);
        if (logged) assert.ok(faults.some((fault) => logged.test(fault)), `the console does not say why: ${faults}`);
      }, missing.length === 0 && !logged);
    }
    // Only the site's own scripts run: the page's policy turns away any other,
    // inline script among them.
    await run(await serve(), {}, async (open) => {
      const page = await open();
      const ran = await page.evaluate(() => {
        const script = document.createElement('script');
        script.textContent = 'window.inlineScriptRan = true;';
        document.head.append(script);
        return window.inlineScriptRan === true;
      });
      assert.equal(ran, false, "the page's policy lets inline script run");
    }, false);
  },
};

modes[mode]().catch((error) => {
  console.error(error);
  process.exit(1);
});
