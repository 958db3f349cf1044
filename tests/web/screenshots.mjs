// The page at the moments of the desktop's screenshots (tools/screenshots.cpp: the same
// scripted game), at 100 %, for the README: as the window, and laid out for a phone's
// fingers both ways up.  Run by hand:
//   node tests/web/screenshots.mjs build-web/page-test docs/screenshots
import {mkdir} from 'node:fs/promises';
import {join, resolve} from 'node:path';
import {launch, serve, started} from './harness.mjs';

const [pageDir, out] = process.argv.slice(2).map((p) => resolve(p));
await mkdir(out, {recursive: true});
const server = await serve(pageDir);
const browser = await launch();
// The window as on a desktop (633 by 467, its own size), then laid out for fingers on a
// phone held upright and sideways (the whole screen).
const screens = [['web-', {viewport: {width: 633, height: 467}}],
                 ['phone-', {viewport: {width: 360, height: 640}, isMobile: true, hasTouch: true}],
                 ['phone-sideways-', {viewport: {width: 640, height: 360}, isMobile: true, hasTouch: true}]];
for (const [prefix, options] of screens) {
  const context = await browser.newContext(options);
  const page = await context.newPage();
  await page.clock.install({time: 0});
  await page.goto(server.base);
  await started(page, async () => { await page.clock.runFor(100); await page.waitForTimeout(20); });
  const push = (values) => page.evaluate((v) => v.forEach((r) => globalThis.soratoGame._sorato_script_random(r)), values);
  const press = (selector) => (options.hasTouch ? page.tap(selector) : page.click(selector));
  const save = async (name) => {
    await page.waitForTimeout(100);
    const path = join(out, `${prefix}${name}.png`);
    await (options.hasTouch ? page : page.locator('.window')).screenshot({path});
    console.log(path);
  };

  await save('start');
  // A kanji game, one word at a time, with the longest reading of the bank on screen.
  await press('#Option2');
  await push([0.855, 0.065, 0.235, 0.775, 0.875, 0.425, 0.145, 0.505, 0.605, 0.995,
              0.015, 0.305, 0.705, 0.405, 0.915, 0.205, 0.555, 0.335, 0.655, 0.105]);
  await push([0, 2, 4, 6, 8, 10, 12, 14, 16, 18].map((pos) => (pos + 0.5) / 20));
  await press('#btn1Jun');
  await press('#btnST');
  await page.clock.runFor(600);
  await save('one-at-a-time');

  await push(Array.from({length: 20}, (_, i) => (i * 5 + 2.5) / 100));
  await push([1, 3, 5, 7, 9, 11, 13, 15, 17, 19].map((pos) => (pos + 0.5) / 20));
  await press('#btn2Jun');
  await press('#btnST');
  await page.clock.runFor(2000);
  await save('all-at-once');
  const shown = (await page.$eval('#lblAZ', (e) => e.textContent) + '\n' +
                 await page.$eval('#lblBZ', (e) => e.textContent)).split('\n').filter((w) => w);
  await page.clock.runFor(10000);

  await press('#btnQ');
  await save('question');
  for (let i = 0; i < 20; i++) {
    const isShown = shown.includes(await page.$eval('#lbl1', (e) => e.textContent));
    const yes = i % 7 === 3 ? !isShown : isShown;
    await press(yes ? '#btnY' : '#btnN');
  }
  await press('#btnA');
  await save('results');
  await context.close();
}
await browser.close();
server.close();
