// The three browser engines people use, each driven by its own tool and pointed at the
// system's browser: Chromium (playwright-core), Firefox (puppeteer-core over WebDriver
// BiDi) and WebKit (WebKitGTK's MiniBrowser under WebKitWebDriver, by selenium-webdriver,
// on an X server of its own).  One profile a browser, kept across tabs, so that a
// service worker and its cache live on from one visit to the next.
//   engine(name, {width, height}) -> {open(url, size, {touch}) -> tab, close()}
//     open() loads the page afresh in a page area of that size (set before the load); in
//     Chromium with touch, as a phone, its clicks taps
//   tab: {evaluate(fn, arg), poll(fn, timeoutMs) -> the first non-null result or null,
//         click(selector), press('Tab' | 'Space' | 'Shift+Tab'), text(id),
//         advance(ms), until(fn, ms), screenshot(path), close(),
//         dblclick(selector), hold('Enter' | ' ', ms) (with the key's repeats, as a
//         keyboard sends them), pressOn(selector, 'left' | 'right' | 'middle', ['Shift',
//         'Control', 'Alt']) (a mouse press and release with those keys held), away()
//         (another tab comes to the front, then this one again)}
// Every engine may run the page on the test's clock ({clock: true}): the page's timers,
// frames and time move only by advance(ms) (and a little at each round of poll()), so
// that a display takes no real time and every input falls where the test puts it on the
// game's clock: the probe's (probe.js, #clock; run before the page where the page does
// not carry it).
import {execFileSync, spawn} from 'node:child_process';
import {mkdtemp, rm} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {launch} from './harness.mjs';

const pause = (ms) => new Promise((done) => setTimeout(done, ms));

// A key held down as a keyboard repeats it: a first press, then after half a second a
// repeat every 33 ms until it goes up.  `down(repeat)` and `up()` are the engine's.
async function holdKey(ms, down, up) {
  await down(false);
  await pause(Math.min(ms, 500));
  for (let t = 500; t < ms; t += 33) {
    await down(true);
    await pause(33);
  }
  await up();
}

// The input Playwright's and Puppeteer's pages share: a key held, a press with keys held,
// another tab in front for a while.
function pageInput(page, newPage) {
  return {
    hold: (key, ms) => holdKey(ms, () => page.keyboard.down(key), () => page.keyboard.up(key)),
    async pressOn(selector, button, keys) {
      await page.hover(selector);
      for (const k of keys) await page.keyboard.down(k);
      await page.mouse.down({button});
      await page.mouse.up({button});
      for (const k of keys) await page.keyboard.up(k);
    },
    async away() {
      const other = await newPage();
      await other.bringToFront();
      await pause(200);
      await page.bringToFront();
      await other.close();
    },
  };
}

async function poll(evaluate, fn, timeoutMs, tick) {
  const until = Date.now() + timeoutMs;
  for (;;) {
    const value = await evaluate(fn).catch(() => null);
    if (value !== null && value !== undefined) return value;
    if (Date.now() > until) return null;
    await pause(100);
    if (tick) await tick(100).catch(() => {});
  }
}
// A page on the probe's clock: the fragment asks for it.
const probeClock = (url) => `${url}${url.includes('#') ? ',' : '#'}clock`;

// What every tab offers beside evaluate: input by the tool's own clicks and key presses,
// and time that runs on (real time, unless the engine has a test clock).
function tab(evaluate, {advance: testClock, ...ops}) {
  const advance = testClock || pause;
  return {
    evaluate,
    poll: (fn, ms) => poll(evaluate, fn, ms, testClock),
    // Lets the page's time run until fn() holds, at most ms (and the three frames a page
    // may take to anchor a schedule and show its end); true if it did.
    async until(fn, ms) {
      if (testClock) {
        await testClock(ms + 50);
        return Boolean(await evaluate(fn));
      }
      const end = Date.now() + ms + 3000;
      while (!(await evaluate(fn).catch(() => false))) {
        if (Date.now() > end) return false;
        await pause(50);
      }
      return true;
    },
    ...ops,
    advance,
    text: (id) => evaluate((i) => document.getElementById(i).textContent, id),
  };
}

// larger: the engine set to draw text larger, as many people set it: Chromium's minimum
// font size at 24 px, Firefox's at 16 px, WebKit's text-only zoom two steps up.
async function chromium({width, height, clock = false, larger = false}) {
  const minimum = '--blink-settings=minimumFontSize=24,minimumLogicalFontSize=24';
  const browser = await launch(undefined, larger ? [minimum] : []);
  const context = await browser.newContext({viewport: {width, height}});
  return {
    // touch: a phone's screen (a context of its own, set before the load), tapped.
    async open(url, size = {width, height}, {touch = false} = {}) {
      const own = touch && await browser.newContext({viewport: size, isMobile: true, hasTouch: true,
                                                     deviceScaleFactor: 2});
      const page = await (own || context).newPage();
      await page.setViewportSize(size);
      if (clock) await page.addInitScript({path: new URL('probe.js', import.meta.url).pathname});
      await page.goto(clock ? probeClock(url) : url);
      const evaluate = (fn, arg) => page.evaluate(fn, arg);
      return tab(evaluate, {
        page,
        advance: clock ? (ms) => evaluate((m) => globalThis.soratoClock.runFor(m), ms) : undefined,
        click: (selector) => (touch ? page.tap(selector) : page.click(selector)),
        press: (key) => page.keyboard.press(key),
        screenshot: (path) => page.screenshot({path}),
        close: () => (own ? own.close() : page.close()),
        dblclick: (selector) => page.dblclick(selector),
        ...pageInput(page, () => context.newPage()),
      });
    },
    close: () => browser.close(),
  };
}

async function firefox({width, height, clock = false, larger = false}) {
  const puppeteer = (await import('puppeteer-core')).default;
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
    args: [`--width=${width}`, `--height=${height}`], defaultViewport: {width, height},
    extraPrefsFirefox: larger ? {'font.minimum-size.ja': 16, 'font.minimum-size.x-western': 16} : {},
  });
  return {
    async open(url, size = {width, height}) {
      const page = await browser.newPage();
      await page.setViewport(size);
      await page.goto(clock ? probeClock(url) : url);
      const evaluate = (fn, arg) => page.evaluate(fn, arg);
      return tab(evaluate, {
        page,
        advance: clock ? (ms) => evaluate((m) => globalThis.soratoClock.runFor(m), ms) : undefined,
        click: (selector) => page.click(selector),
        async press(key) {
          const [held, last] = key.includes('+') ? key.split('+') : [null, key];
          if (held) await page.keyboard.down(held);
          await page.keyboard.press(last === 'Space' ? ' ' : last);
          if (held) await page.keyboard.up(held);
        },
        screenshot: (path) => page.screenshot({path}),
        close: () => page.close(),
        dblclick: (selector) => page.click(selector, {count: 2}),
        ...pageInput(page, () => browser.newPage()),
      });
    },
    close: () => browser.close(),
  };
}

// An X server on the first free display, and WebKitWebDriver on a free port.
async function startProcess(command, args, env, ready) {
  const child = spawn(command, args, {env, stdio: ['ignore', 'pipe', 'pipe']});
  let out = '';
  child.stdout.on('data', (d) => { out += d; });
  child.stderr.on('data', (d) => { out += d; });
  const until = Date.now() + 15000;
  while (!(await ready(out))) {
    if (Date.now() > until || child.exitCode !== null) throw new Error(`${command} did not start: ${out}`);
    await pause(50);
  }
  return child;
}

async function freePort() {
  const {createServer} = await import('node:net');
  const probe = createServer();
  await new Promise((done) => probe.listen(0, '127.0.0.1', done));
  const {port} = probe.address();
  await new Promise((done) => probe.close(done));
  return port;
}

async function webkit({width, height, clock = false, larger = false}) {
  const {Builder, By, Key, Button} = await import('selenium-webdriver');
  const dir = await mkdtemp(join(tmpdir(), 'sorato-webkit-'));
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1920x1300x24', '-nolisten', 'tcp'],
                     {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  let display = '';
  xvfb.stdio[3].on('data', (d) => { display += d; });
  for (let i = 0; i < 200 && !display.includes('\n'); i++) await pause(50);
  const env = {...process.env, DISPLAY: `:${display.trim()}`, HOME: dir};
  const port = await freePort();
  const server = await startProcess('WebKitWebDriver', [`--port=${port}`], env, async () => {
    try { return (await fetch(`http://127.0.0.1:${port}/status`)).ok; } catch { return false; }
  });
  const driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
    'browserName': 'MiniBrowser',
    'webkitgtk:browserOptions': {
      binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
      args: ['--automation', ...(larger ? ['--zoom-text-only=true'] : [])],
    },
  }).build();
  // MiniBrowser's window has a 38-pixel header above the page.
  await driver.manage().window().setRect({x: 0, y: 0, width, height: height + 38});
  const evaluate = (fn, arg) => driver.executeScript(`return (${fn})(arguments[0]);`, arg);
  const keys = {Tab: Key.TAB, Space: Key.SPACE, ' ': Key.SPACE, Enter: Key.ENTER, Shift: Key.SHIFT,
                Control: Key.CONTROL, Alt: Key.ALT, ArrowDown: Key.ARROW_DOWN};
  const buttons = {left: Button.LEFT, middle: Button.MIDDLE, right: Button.RIGHT};
  const element = (selector) => driver.findElement(By.css(selector));
  // Two steps of MiniBrowser's own zoom (Ctrl and +, a person's keys on its window), text only.
  if (larger) execFileSync('xdotool', ['key', 'ctrl+plus', 'ctrl+plus'], {env});
  return {
    async open(url, size = {width, height}) {
      await driver.manage().window().setRect({x: 0, y: 0, width: size.width, height: size.height + 38});
      await driver.get(clock ? probeClock(url) : url);
      return tab(evaluate, {
        driver,
        // (ten seconds a script at most: WebKitWebDriver times its scripts out on the
        // page's own timers, which run on the test's clock too)
        advance: clock ? async (ms) => {
          for (let left = ms; left > 0; left -= 10000) {
            await evaluate((m) => globalThis.soratoClock.runFor(m), Math.min(left, 10000));
          }
        } : undefined,
        click: async (selector) => (await driver.findElement(By.css(selector))).click(),
        async press(key) {
          const [held, last] = key.includes('+') ? key.split('+') : [null, key];
          let actions = driver.actions();
          if (held) actions = actions.keyDown(keys[held]);
          actions = actions.sendKeys(keys[last]);
          if (held) actions = actions.keyUp(keys[held]);
          await actions.perform();
        },
        // Two frames first: MiniBrowser's screenshot may show the frame before a change.
        async screenshot(path) {
          await evaluate(() => new Promise((done) => {
            const frame = globalThis.soratoRealFrame || requestAnimationFrame;
            frame(() => frame(done));
          }));
          const {writeFile} = await import('node:fs/promises');
          await writeFile(path, Buffer.from(await driver.takeScreenshot(), 'base64'));
        },
        close: () => driver.get('about:blank'),
        dblclick: async (selector) => driver.actions().doubleClick(await element(selector)).perform(),
        // (one sequence of actions, so that the repeats come at a keyboard's pace)
        async hold(key, ms) {
          let actions = driver.actions().keyDown(keys[key]).pause(Math.min(ms, 500));
          for (let t = 500; t < ms; t += 33) actions = actions.keyDown(keys[key]).pause(33);
          await actions.keyUp(keys[key]).perform();
        },
        async pressOn(selector, button, held) {
          let actions = driver.actions().move({origin: await element(selector)});
          for (const k of held) actions = actions.keyDown(keys[k]);
          actions = actions.press(buttons[button]).release(buttons[button]);
          for (const k of held) actions = actions.keyUp(keys[k]);
          await actions.perform();
        },
        async away() {
          const mine = await driver.getWindowHandle();
          await driver.switchTo().newWindow('tab');
          await pause(200);
          await driver.close();
          await driver.switchTo().window(mine);
        },
      });
    },
    async close() {
      await driver.quit().catch(() => {});
      server.kill();
      xvfb.kill();
      await rm(dir, {recursive: true, force: true});
    },
  };
}

const engines = {chromium, firefox, webkit};
export const engineNames = Object.keys(engines);
export function engine(name, size = {width: 1000, height: 700}) {
  if (!engines[name]) throw new Error(`no engine ${name}`);
  return engines[name](size);
}
