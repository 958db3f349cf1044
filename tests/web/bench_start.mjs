// How fast the page starts on a phone, cold (nothing cached, no worker yet): headless
// Chromium with a CPU 4 times slower and a slow mobile network (150 ms round trip,
// 1.6 Mbit/s down, 750 kbit/s up), from the request for the page to the first frame
// that shows the window, with the host sending its files as they are and compressed
// (gzip).  Also the bytes the host sent.  Given the page in one file (sorato.html), the
// same for that file, and its start from the disk.  For the hosted page, also the floor:
// the same files, sent the same way, with the game's script kept only as a comment, and
// a script that fetches the WebAssembly (as the game does) and puts an empty window on
// the page: what the network and the browser's own start take, before any of the
// game's work.  Run by hand (about a minute each):
//   node tests/web/bench_start.mjs build-web/page [runs]
//   node tests/web/bench_start.mjs build-web/sorato.html [runs]
import {cp, mkdtemp, readFile, rm, writeFile} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {basename, dirname, join, resolve} from 'node:path';
import {pathToFileURL} from 'node:url';
import {launch, serve} from './harness.mjs';

const given = resolve(process.argv[2] || 'build-web/page');
const single = given.endsWith('.html');
const dir = single ? dirname(given) : given;
const file = single ? basename(given) : '';
const runs = Number(process.argv[3] || 5);
const hosts = {plain: await serve(dir), gzip: await serve(dir, {gzip: true})};
let floorDir = null;
if (!single) {
  floorDir = await mkdtemp(join(tmpdir(), 'sorato-floor-'));
  await cp(dir, floorDir, {recursive: true});
  const game = await readFile(join(dir, 'sorato.js'), 'utf8');
  await writeFile(join(floorDir, 'sorato.js'), `/*${game.replaceAll('*/', '* /')}*/
fetch(document.querySelector('link[rel=preload]').href).then((r) => r.arrayBuffer()).then(() => {
  document.getElementById('sorato').appendChild(document.createElement('div')).className = 'window';
});`);
  hosts.floor = await serve(floorDir, {gzip: true});
}

// The first frame in which the window stands on the page, from the start of navigation:
// when that frame's callbacks run, just before it is drawn (not the frame's own time
// stamp, which is when the frame was due and may fall before a long script ended).
function watchFirstFrame() {
  new MutationObserver((_, observer) => {
    if (!document.querySelector('.window')) return;
    observer.disconnect();
    requestAnimationFrame(() => { globalThis.firstFrame = performance.now(); });
  }).observe(document, {subtree: true, childList: true});
}

const browser = await launch();
async function coldStart(host, disk = false) {
  const context = await browser.newContext({viewport: {width: 844, height: 390}, isMobile: true,
                                            hasTouch: true, deviceScaleFactor: 3,
                                            serviceWorkers: 'block'});
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.enable');
  if (!disk) {
    await cdp.send('Network.emulateNetworkConditions', {
      offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8});
  }
  await cdp.send('Emulation.setCPUThrottlingRate', {rate: 4});
  await page.addInitScript(watchFirstFrame);
  const before = host.sent;
  await page.goto(disk ? pathToFileURL(given).href : host.base + file);
  await page.waitForFunction(() => globalThis.firstFrame !== undefined, null, {timeout: 60000});
  const ms = await page.evaluate(() => globalThis.firstFrame);
  const bytes = host.sent - before;
  await context.close();
  return {ms, bytes};
}

console.log(`bench_start: cold start of ${single ? file : 'the page'} in Chromium, CPU 4× slower, 150 ms round trip, 1.6 Mbit/s; ${runs} runs each`);
const hostOf = {uncompressed: hosts.plain, compressed: hosts.gzip, 'from disk': hosts.plain,
                floor: hosts.floor};
for (const how of single ? ['uncompressed', 'compressed', 'from disk'] : ['uncompressed', 'compressed', 'floor']) {
  const results = [];
  for (let i = 0; i < runs; i++) results.push(await coldStart(hostOf[how], how === 'from disk'));
  const times = results.map((r) => r.ms).sort((a, b) => a - b);
  console.log(`${how.padEnd(12)}  first frame with the window: median ` +
              `${times[Math.floor(times.length / 2)].toFixed(0)} ms (min ${times[0].toFixed(0)}, ` +
              `max ${times[times.length - 1].toFixed(0)}); sent ${(results[0].bytes / 1024).toFixed(1)} KiB`);
}
await browser.close();
for (const host of Object.values(hosts)) host.close();
if (floorDir) await rm(floorDir, {recursive: true});
