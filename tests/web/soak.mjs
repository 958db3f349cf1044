// Long play: 100 whole games in one load of the page, played by script (the page's clicks,
// on the test's clock, alternating the two display modes), in headless Chromium.  After
// each tenth game, with the garbage collected: the JavaScript heap, the page's DOM nodes
// and the WebAssembly memory.  From the tenth game on they should stay flat.  Run by hand
// (about a minute): node tests/web/soak.mjs build-web/page-test [games]
import {resolve} from 'node:path';
import {launch, serve, started} from './harness.mjs';

const games = Number(process.argv[3] || 100);
const server = await serve(resolve(process.argv[2] || 'build-web/page-test'));
const browser = await launch();
const context = await browser.newContext({viewport: {width: 800, height: 600}});
const page = await context.newPage();
await page.clock.install({time: 0});
await page.goto(server.base);
await started(page, async () => { await page.clock.runFor(100); await page.waitForTimeout(20); });
const cdp = await context.newCDPSession(page);

const clicks = (ids) => page.evaluate((all) => all.forEach((i) => document.getElementById(i).click()), ids);
async function measure() {
  await cdp.send('HeapProfiler.collectGarbage');
  const {usedSize} = await cdp.send('Runtime.getHeapUsage');
  const {nodes} = await cdp.send('Memory.getDOMCounters');
  const wasm = await page.evaluate(() => globalThis.soratoGame.HEAP8.length);
  return {heap: usedSize, nodes, wasm};
}

console.log('soak: game, JS heap (KiB), DOM nodes, WebAssembly memory (KiB)');
const rows = [];
for (let game = 1; game <= games; game++) {
  const allAtOnce = game % 2 === 0;
  // Each step in one call into the page, so that the test itself leaves little behind.
  await clicks([allAtOnce ? 'btn2Jun' : 'btn1Jun', 'btnST']);
  await page.clock.runFor(allAtOnce ? 12100 : 36100);
  await clicks(['btnQ', ...Array.from({length: 20}, (_, n) => (n % 3 ? 'btnY' : 'btnN')), 'btnA']);
  if (game % 10 === 0) {
    const m = await measure();
    rows.push(m);
    console.log(`${String(game).padStart(4)}  ${(m.heap / 1024).toFixed(1).padStart(8)}  ` +
                `${String(m.nodes).padStart(6)}  ${(m.wasm / 1024).toFixed(0).padStart(6)}`);
  }
}
const first = rows[0], last = rows[rows.length - 1];
console.log(`from game 10 to game ${games}: heap ${((last.heap - first.heap) / 1024).toFixed(1)} KiB, ` +
            `DOM nodes ${last.nodes - first.nodes}, WebAssembly memory ${((last.wasm - first.wasm) / 1024).toFixed(0)} KiB`);
await browser.close();
server.close();
