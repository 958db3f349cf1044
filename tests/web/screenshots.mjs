// The page at the moments of the desktop's screenshots (tools/screenshots.cpp: the same
// scripted game), at 100 %, for the README; with `phone` or `phone-sideways` after the
// folders, laid out for a phone's fingers (360 by 640, or 640 by 360), tapped.  Run by hand:
//   node tests/web/screenshots.mjs build-web/page-test docs/screenshots [phone|phone-sideways]
import {mkdir} from 'node:fs/promises';
import {join, resolve} from 'node:path';
import {launch, serve, started} from './harness.mjs';

const [pageDir, out, phone] = process.argv.slice(2).map((p, i) => (i < 2 ? resolve(p) : p));
const size = phone === 'phone' ? [360, 640] : phone ? [640, 360] : [633, 467];
await mkdir(out, {recursive: true});
const server = await serve(pageDir);
const browser = await launch();
const page = await browser.newPage({viewport: {width: size[0], height: size[1]}, isMobile: Boolean(phone),
                                    hasTouch: Boolean(phone)});
if (phone) page.click = page.tap;
await page.clock.install({time: 0});
await page.goto(server.base);
await started(page, async () => { await page.clock.runFor(100); await page.waitForTimeout(20); });
const push = (values) => page.evaluate((v) => v.forEach((r) => globalThis.soratoGame._sorato_script_random(r)), values);
const save = async (name) => {
  await page.waitForTimeout(100);
  const path = join(out, `${phone || 'web'}-${name}.png`);
  await (phone ? page : page.locator('.window')).screenshot({path});
  console.log(path);
};

await save('start');
// A kanji game, one word at a time, with the longest reading of the bank on screen.
await page.click('#Option2');
await push([0.855, 0.065, 0.235, 0.775, 0.875, 0.425, 0.145, 0.505, 0.605, 0.995,
            0.015, 0.305, 0.705, 0.405, 0.915, 0.205, 0.555, 0.335, 0.655, 0.105]);
await push([0, 2, 4, 6, 8, 10, 12, 14, 16, 18].map((pos) => (pos + 0.5) / 20));
await page.click('#btn1Jun');
await page.click('#btnST');
await page.clock.runFor(600);
await save('one-at-a-time');

await push(Array.from({length: 20}, (_, i) => (i * 5 + 2.5) / 100));
await push([1, 3, 5, 7, 9, 11, 13, 15, 17, 19].map((pos) => (pos + 0.5) / 20));
await page.click('#btn2Jun');
await page.click('#btnST');
await page.clock.runFor(2000);
await save('all-at-once');
const shown = (await page.$eval('#lblAZ', (e) => e.textContent) + '\n' +
               await page.$eval('#lblBZ', (e) => e.textContent)).split('\n').filter((w) => w);
await page.clock.runFor(10000);

await page.click('#btnQ');
await save('question');
for (let i = 0; i < 20; i++) {
  const isShown = shown.includes(await page.$eval('#lbl1', (e) => e.textContent));
  const yes = i % 7 === 3 ? !isShown : isShown;
  await page.click(yes ? '#btnY' : '#btnN');
}
await page.click('#btnA');
await save('results');
await browser.close();
server.close();
