// The page in the system's Chromium, served from 127.0.0.1: whole games (each display
// mode, by clicks; by the keyboard alone in the real-input table), read back from the
// page and checked against sorato-drive playing the same game; and what the page loads,
// keeps and says.
// The games run on the tests' build of the page, which lets a test script the random
// source; the published page is checked to have no such way in.
// Usage: node page_test.mjs TEST_PAGE_DIR DRIVER ARTEFACTS_DIR PUBLISHED_PAGE_DIR
import {execFileSync} from 'node:child_process';
import {mkdir, mkdtemp, readFile, rm, writeFile} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';
import {engine} from './engines.mjs';
import {equal, fingerProblems, fingerSizes, fitOnScreen, fitsWell, largerText, play} from './games.mjs';
import {inputCases} from './input_cases.mjs';
import {launch, serve, started} from './harness.mjs';

const [pageDir, driver, artefacts, publishedDir] = process.argv.slice(2).map((p) => resolve(p));
await mkdir(artefacts, {recursive: true});
const server = await serve(pageDir);
const {base, served} = server;
const browser = await launch();

let failures = 0;
function check(ok, what) {
  if (ok) {
    console.log(`ok   ${what}`);
  } else {
    console.log(`FAIL ${what}`);
    failures++;
  }
}
// A fresh load in a context of its own (a desktop's 800 by 600, or the phone asked for),
// the page on the test's clock.
const phone = (width, height, deviceScaleFactor) =>
  ({viewport: {width, height}, isMobile: true, hasTouch: true, deviceScaleFactor});
async function open(options = {viewport: {width: 800, height: 600}}) {
  const context = await browser.newContext(options);
  const page = await context.newPage();
  await page.clock.install({time: 0});
  await page.goto(base);
  page.on('pageerror', (e) => console.log(`page error: ${e.message}`));
  await started(page, async () => {
    await page.clock.runFor(100);  // the page's own timers run on the test's clock
    await page.waitForTimeout(20);
  });
  return {context, page};
}

// A finger held on a control for `ms` of the test's clock, as the phone's touch events
// (moved off it, or joined by a second finger, if asked); then the peek's state.
async function hold(page, selector, ms, {off = false, second = false, run = (t) => page.clock.runFor(t)} = {}) {
  const cdp = await page.context().newCDPSession(page);
  const {x, y} = await page.$eval(selector, (e) => {
    const r = e.getBoundingClientRect();
    return {x: r.x + r.width / 2, y: r.y + r.height / 2};
  });
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints: points});
  await touch('touchStart', [{x, y, id: 1}]);
  if (second) await touch('touchStart', [{x, y, id: 1}, {x: x + 40, y, id: 2}]);
  if (off) await touch('touchMove', [{x: x + 60, y: y + 60, id: 1}]);
  await run(ms);
  await touch('touchEnd', []);
  await run(50);
  await cdp.detach();
  return page.evaluate(() => ['peekShown', 'lblA.Visible'].map((e) => globalThis.soratoGame.get(e)));
}

const text = (page, id) => page.$eval(`#${id}`, (e) => e.textContent);
const focused = (page) => page.evaluate(() => document.activeElement.closest('[data-control]')?.id);

// The real-input cases.
{
  const chromium = await engine('chromium', {width: 1000, height: 700, clock: true});
  const ready = (tab) => tab.poll(() => (globalThis.soratoGame && document.querySelector('.maximize') ? true : null), 15000);
  await inputCases(chromium, base, {driver, check, started: ready});
  await chromium.close();
}

// Whole games by clicks, on the test's clock, each display mode (the keyboard's are rows
// of the real-input table).
{
  const chromium = await engine('chromium', {width: 800, height: 600, clock: true});
  for (const [allAtOnce, seed] of [[false, 11], [true, 12]]) {
    const tab = await chromium.open(base);
    const outside = [];
    tab.page.on('request', (r) => { if (!r.url().startsWith(base)) outside.push(r.url()); });
    await started(tab.page, async () => { await tab.advance(100); await tab.page.waitForTimeout(20); });
    try {
      const name = await play(tab, {allAtOnce, seed, driver, artefacts, check});
      check(outside.length === 0, `${name}: nothing loaded from elsewhere ${outside.join(' ')}`);
      check((await tab.page.context().cookies()).length === 0 &&
                await tab.evaluate(() => localStorage.length + sessionStorage.length) === 0,
            `${name}: no cookie, no storage`);
    } catch (e) {
      check(false, `game ${seed}: ${e.message}`);
      await tab.screenshot(join(artefacts, `failed-${seed}.png`));
    }
    await tab.close();
  }
  await chromium.close();
}

// The window as its twips place it, a disabled frame that ignores input, the covering
// frame of the all-at-once display, and names and roles for screen readers.
{
  const {context, page} = await open();
  // (in the window's pixels, 15 twips each: the page draws each at --u CSS pixels)
  const box = (id) => page.$eval(`#${id}`, (e) => {
    const u = parseFloat(getComputedStyle(e).getPropertyValue('--u'));
    return [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight].map((v) => v / u);
  });
  const at = async (id, twips) => (await box(id)).every((v, i) => Math.abs(v - twips[i] / 15) <= 0.5);
  check(await at('Frame1', [960, 200, 7440, 1092]) && await at('btnST', [2136, 240, 972, 600]) &&
            await at('btnY', [2640, 4560, 1812, 972]),
        'controls stand at their twips positions');
  check(await page.getByRole('radio', {name: 'あ'}).isChecked() &&
            await page.getByRole('button', {name: '始'}).getAttribute('title') ===
                '先に左の『順に‥、全部‥』を選択してください。',
        'native radio buttons and buttons, captions as names, tooltips as descriptions');
  await page.focus('#Option1 input');
  await page.keyboard.press('ArrowDown');
  const arrowed = await page.getByRole('radio', {name: '漢'}).isChecked();
  await page.keyboard.press('ArrowUp');
  check(arrowed && await page.getByRole('radio', {name: 'あ'}).isChecked(), 'the arrow keys switch an option');
  // High contrast: 問 (disabled once a game is prepared) tells from 始, the focus ring shows.
  await page.emulateMedia({forcedColors: 'active'});
  await page.click('#btn1Jun');
  await page.focus('#btnST');
  await page.keyboard.press('Shift+Tab');
  await page.keyboard.press('Tab');
  const look = (id) => page.$eval(`#${id}`, (e) => {
    const s = getComputedStyle(e);
    return [s.color, s.borderTopStyle, s.outlineStyle, s.outlineWidth];
  });
  const [enabled, disabled] = [await look('btnST'), await look('btnQ')];
  check(enabled[0] !== disabled[0] && enabled[1] !== disabled[1] && enabled[2] === 'solid' &&
            parseFloat(enabled[3]) >= 2,
        `high contrast: 始 ${enabled}, 問 (disabled) ${disabled}`);
  await page.emulateMedia({forcedColors: 'none'});
  check(await page.$eval('#lbl1', (e) => e.getAttribute('aria-live')) === 'polite' &&
            await page.$eval('#lbl2', (e) => e.getAttribute('aria-live')) === 'polite',
        'the word and the question are announced as they change');
  await page.click('#btn2Jun');
  const covered = await page.evaluate(() => {
    const r = document.getElementById('btnY').getBoundingClientRect();
    return document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2).closest('#frmZnb') !== null;
  });
  check(covered, 'the all-at-once frame covers はい and いいえ');
  await page.click('#btn1Jun');
  await page.click('#btnST');
  await page.click('#Option2', {force: true});
  check(await page.getByRole('radio', {name: 'あ'}).isChecked(), 'the bank frame ignores clicks during a display');
  await page.evaluate(() => {
    Object.defineProperty(document, 'hidden', {value: true, configurable: true});
    document.dispatchEvent(new Event('visibilitychange'));
  });
  check(await text(page, 'btnST') === '再', 'a display stops when the page goes out of sight');
  await page.clock.runFor(60000);
  check(await text(page, 'lblSTn') !== '', 'and nothing runs on while it is out of sight');
  await context.close();
}
// On the real clock (no test clock): a whole all-at-once display runs and ends.
{
  const page = await browser.newPage();
  await page.goto(base);
  await started(page);
  await page.click('#btn2Jun');
  await page.click('#btnST');
  const ended = await page.waitForFunction(() => !document.getElementById('btnQ').disabled, null,
                                           {timeout: 30000, polling: 200}).then(() => true, () => false);
  check(ended && await text(page, 'lblAZ') === '', 'on the browser\'s own timers a display runs to its end');
  await page.close();
}

// A touch screen of every size, both ways up, each a fresh load (the phone set before
// it): the window laid out for fingers and fitting the screen; at every state of a whole
// game by taps (the driver's game), and with the peek's lists out by a long press, every
// button and option answers a finger and every text stands whole on the screen
// (games.mjs, fingerProblems); the page neither scrolled nor zoomed.
{
  const phones = await engine('chromium', {width: 390, height: 844, clock: true});
  for (const [n, [width, height]] of fingerSizes.entries()) {
    const size = `${width}×${height}`;
    const tab = await phones.open(base, {width, height}, {touch: true});
    await started(tab.page, async () => { await tab.advance(100); await tab.page.waitForTimeout(20); });
    const fit = await tab.evaluate(fitOnScreen);
    const forFingers = await tab.evaluate(() => document.querySelector('.window').classList.contains('touch'));
    check(forFingers && fitsWell(fit) && !fit.hint, `${size}: the window laid out for fingers fits the screen`);
    const problems = [];
    const look = async (state) => {
      for (const p of await tab.evaluate(fingerProblems)) problems.push(`${state}: ${p}`);
    };
    await look('start');
    await play(tab, {allAtOnce: n % 2 === 1, seed: 40 + n, driver, artefacts, check,
                     shots: `touch-${size}-`, look});
    const peek = await hold(tab.page, '#lblKng', 600, {run: tab.advance});
    await look('peek');
    const still = await tab.evaluate(() => [scrollX, scrollY, visualViewport.scale]);
    check(equal(peek, ['true', 'true']) && equal(still, [0, 0, 1]) && problems.length === 0,
          `${size}: every target takes a finger, every text whole, by taps and with the peek out ` +
          `(${JSON.stringify(peek)} ${still} ${problems.slice(0, 6).join('; ')})`);
    await tab.close();
  }
  await phones.close();
}

// Chromium's minimum font size at 24 px changes no caption (games.mjs, largerText).
{
  const probed = await serve(pageDir, {probe: await readFile(new URL('probe.js', import.meta.url), 'utf8')});
  const plain = await engine('chromium', {width: 1000, height: 700});
  await largerText('chromium', plain, probed.base, {check, started: (tab) => started(tab.page)});
  await plain.close();
  probed.close();
}

// The window maximized, as a desktop window: by its box and by a double-click on the
// title bar; maximized, it takes the page's area at one CSS pixel a pixel where that
// holds it all, and grows in the area's shape where it does not (a desktop at 200 %, a
// narrow browser window), so that the peek switch below the start-up area, and all of
// the lists the peek shows, can be had; restored, it is 9500 by 7000 twips again.  On a
// phone the peek takes a long press as a press with Shift held.
for (const [width, height, whole] of [[1280, 900, [1280, 900]], [844, 390, null], [390, 844, null]]) {
  const {context, page} = await open({viewport: {width, height}});
  const at = (id) => page.evaluate((i) => {
    const r = document.getElementById(i).getBoundingClientRect();
    const form = document.querySelector('.form').getBoundingClientRect();
    const hit = document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2);
    return {hit: hit !== null && hit.id === i, inside: r.right <= form.right + 0.5 && r.bottom <= form.bottom + 0.5};
  }, id);
  const size = () => page.$eval('.window', (e) => {
    const u = parseFloat(getComputedStyle(e).getPropertyValue('--u'));
    return [e.offsetWidth / u, e.offsetHeight / u];
  });
  const before = [await size(), await at('lblKng')];
  await page.click('.maximize');
  const maximized = [await size(), await at('lblKng'), await page.evaluate(fitOnScreen)];
  await page.keyboard.down('Shift');
  await page.click('#lblKng');
  await page.keyboard.up('Shift');
  const lists = await at('lblD');  // shown by the peek, all of it inside the window
  await page.dblclick('.titlebar .title');
  const restored = await size();
  const restoredSize = (wh) => Math.abs(wh[0] - 9500 / 15) <= 0.5 && Math.abs(wh[1] - 7000 / 15) <= 0.5;
  check(restoredSize(before[0]) && equal(before[1], {hit: false, inside: false}) &&
            (whole === null || equal(maximized[0], whole)) && equal(maximized[1], {hit: true, inside: true}) &&
            fitsWell(maximized[2]) && equal(lists, {hit: true, inside: true}) && restoredSize(restored),
        `${width}×${height}: maximized by its box, the window shows the peek switch and all of its lists, and fits; restored by a double-click on its title bar (${JSON.stringify([before, maximized.slice(0, 2), lists, restored])})`);
  await context.close();
}
{
  const {context, page} = await open(phone(390, 844, 3));
  const at = '#lblKng';
  const seen = [await hold(page, at, 600), await hold(page, at, 100), await hold(page, at, 100),
                await hold(page, at, 600, {off: true}), await hold(page, at, 600, {second: true})];
  const driven = execFileSync(driver, {input: ['mousedown lblKng 1 1 0 0', 'get peekShown', 'get lblA.Visible',
                                               'mousedown lblKng 1 0 0 0', 'get peekShown', 'get lblA.Visible',
                                               'mousedown lblKng 1 0 0 0', 'get peekShown', 'get lblA.Visible']
                                               .join('\n') + '\n', encoding: 'utf8'}).trim().split('\n');
  const want = [driven.slice(0, 2), driven.slice(2, 4), driven.slice(4, 6), driven.slice(4, 6), driven.slice(4, 6)];
  check(equal(seen, want),
        `a phone upright: a long press on the peek switch is a press with Shift, a tap a plain one, a finger moved off or a second finger none (${JSON.stringify(seen)})`);
  await context.close();
}

// Every desktop screen, as a fresh load: the whole window inside the visible area, as
// large as the area allows and centred, and in a narrow browser window upright a line
// that suggests turning it.  A side panel (the browser window wider than its page)
// changes nothing.
const fitCases = [
  {name: 'a narrow browser window', viewport: {width: 390, height: 844}, hint: true},
  {name: 'a desktop browser with a side panel', viewport: {width: 1000, height: 700}, panel: 1.33, hint: false},
  {name: 'a large monitor', viewport: {width: 2560, height: 1440}, hint: false},
];
for (const c of fitCases) {
  const context = await browser.newContext({viewport: c.viewport, isMobile: Boolean(c.phone),
                                            hasTouch: Boolean(c.phone), deviceScaleFactor: c.phone ? 3 : 1});
  const page = await context.newPage();
  if (c.panel) {
    await page.addInitScript((ratio) => Object.defineProperty(window, 'outerWidth', {get: () => innerWidth * ratio}), c.panel);
  }
  await page.goto(base);
  await started(page);
  const m = await page.evaluate(fitOnScreen);
  check(fitsWell(m) && m.width === c.viewport.width && m.hint === c.hint,
        `fresh load on ${c.name} (${c.viewport.width}×${c.viewport.height}): the window fits, ` +
        `as large as it can and centred (${[m.left, m.top, m.right, m.bottom].map(Math.round)} in ` +
        `${m.width}×${m.height}), ${c.hint ? 'with' : 'without'} the line to turn the phone`);
  await context.close();
}
// Turned while a display runs: the window fits the new shape at once, and the display
// goes on, ending when it would have.
{
  const {context, page} = await open(phone(390, 844, 3));
  await page.tap('#btn2Jun');
  await page.tap('#btnST');
  await page.clock.runFor(6000);
  await page.setViewportSize({width: 844, height: 390});
  await page.waitForTimeout(100);
  const turned = await page.evaluate(fitOnScreen);
  await page.clock.runFor(4500);  // (the test's clock also runs on with real time)
  const during = await text(page, 'lblAZ');
  await page.clock.runFor(2000);
  const after = await text(page, 'lblAZ');
  check(fitsWell(turned) && !turned.hint && during !== '' && after === '',
        'turned sideways during a display: the window fits again and the words go at 12 s as planned');
  await context.close();
}

// Once loaded, the game starts offline, from the service worker's copy of its own files.
{
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(base);
  await started(page);
  await page.evaluate(() => Promise.race([navigator.serviceWorker.ready,
                                          new Promise((done) => setTimeout(done, 5000))]));
  await page.reload();  // now under the worker's control
  await started(page);
  await context.setOffline(true);
  let offline = true;
  try {
    await page.reload();
    await started(page);
  } catch {
    offline = false;
  }
  check(offline, 'offline, the page still starts the game');
  await context.close();
}

{
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto('file://' + join(pageDir, 'index.html'));
  await page.waitForTimeout(500);
  const said = await text(page, 'fallback');
  check(said.includes('sorato.html'), `the published page opened from disk points to the page in one file: ${said.slice(0, 40)}…`);
  await context.close();
}
{
  const page = await browser.newPage();
  await page.addInitScript(() => { delete globalThis.WebAssembly; });
  await page.goto(base);
  await page.waitForTimeout(300);
  check((await text(page, 'fallback')).replaceAll('\u200b', '').startsWith('ソラトを始められませんでした'),
        'without WebAssembly, the page says so');
  await page.close();
}
// Without the Japanese faces (a font configuration that knows none of them): the game
// still plays, in whatever face the browser has.
{
  const dir = await mkdtemp(join(tmpdir(), 'sorato-fonts-'));
  await writeFile(join(dir, 'fonts.conf'), `<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>${dir}/cache</cachedir></fontconfig>`);
  const bare = await launch({...process.env, FONTCONFIG_FILE: join(dir, 'fonts.conf')});
  const page = await bare.newPage();
  await page.goto(base);
  await started(page);
  await page.click('#btn2Jun');
  await page.click('#btnST');
  const words = await text(page, 'lblAZ');
  check(words.split('\n').filter((w) => w).length === 5, `without the Japanese faces the game still plays (${words.split('\n')[0]}…)`);
  await bare.close();
  await rm(dir, {recursive: true, force: true});
}
// The published page: it plays, and nothing in it lets anyone choose its words.
{
  const script = async (dir) => readFile(join(dir, 'sorato.js'), 'utf8');
  const hook = '_sorato_script_random';
  const published = await serve(publishedDir);
  const page = await browser.newPage();
  await page.goto(published.base);
  await page.waitForSelector('#btnST');
  await page.click('#btn2Jun');
  const plays = (await text(page, 'lblRM')) !== null && !(await page.$eval('#btnST', (e) => e.disabled));
  const reachable = await page.evaluate(() => typeof globalThis.soratoGame !== 'undefined');
  check(plays && !reachable && (await script(pageDir)).includes(hook) &&
        !(await script(publishedDir)).includes(hook),
        'the published page plays and exports no way to script its random source');
  await page.close();
  published.close();
}
check(served.every((p) => /^\/(|index\.html|sorato\.(js|wasm|css)|sw\.js|manifest\.webmanifest|icon-\d+\.png)$/.test(p)),
      `the page asks for its own files only (${[...new Set(served)].join(' ')})`);

await browser.close();
server.close();
process.exit(failures === 0 ? 0 : 1);
