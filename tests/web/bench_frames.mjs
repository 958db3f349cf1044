// The page's timing, frame by frame, in headless Chromium on the real clock: for each
// display, the frame that first shows each word and the frame that first shows it gone,
// from requestAnimationFrame's frame times; the exposure is the difference.  Run by hand
// (about a minute): node tests/web/bench_frames.mjs build-web/page-test
import {resolve} from 'node:path';
import {launch, serve, started} from './harness.mjs';

const server = await serve(resolve(process.argv[2] || 'build-web/page-test'));
const browser = await launch();

// Installed before the page loads: each change of the word labels, with the time it
// happened and the time of the next frame, in which a person first sees it.
function watch() {
  globalThis.benchLog = [];
  const texts = () => ['lbl1', 'lblAZ'].map((id) => document.getElementById(id)?.textContent ?? '');
  let last = null;
  const sample = () => {
    const now = texts().join('|');
    if (now !== last) {
      const changed = performance.now();
      last = now;
      requestAnimationFrame((frame) => globalThis.benchLog.push({text: now, changed, frame}));
    }
  };
  new MutationObserver(sample).observe(document, {subtree: true, childList: true, characterData: true});
  document.addEventListener('click', (e) => {
    if (e.target.id === 'btnST') globalThis.benchStart = performance.now();
  }, true);
  // The frame rate the page is drawn at.
  globalThis.benchFrames = [];
  const frame = (t) => { globalThis.benchFrames.push(t); requestAnimationFrame(frame); };
  requestAnimationFrame(frame);
}

const fmt = (v) => (v >= 0 ? '+' : '') + v.toFixed(1);
async function display(allAtOnce) {
  const page = await browser.newPage({viewport: {width: 800, height: 600}});
  await page.addInitScript(watch);
  await page.goto(server.base);
  await started(page);
  await page.click(allAtOnce ? '#btn2Jun' : '#btn1Jun');
  await page.click('#btnST');
  await page.waitForFunction(() => !document.getElementById('btnQ').disabled, null,
                             {timeout: 60000, polling: 100});
  await page.waitForTimeout(200);
  const {log, start, frames} = await page.evaluate(
      () => ({log: globalThis.benchLog, start: globalThis.benchStart, frames: globalThis.benchFrames}));
  const gaps = frames.slice(1).map((t, i) => t - frames[i]).sort((a, b) => a - b);
  const frameMs = gaps[Math.floor(gaps.length / 2)];
  const afterStart = log.filter((e) => e.changed >= start);
  const exposures = [];
  const latency = afterStart.map((e) => e.frame - e.changed);
  for (let i = 0; i + 1 < afterStart.length; i++) {
    const word = allAtOnce ? afterStart[i].text.split('|')[1] : afterStart[i].text.split('|')[0];
    if (word !== '') exposures.push(afterStart[i + 1].frame - afterStart[i].frame);
  }
  const gone = afterStart[afterStart.length - 1].frame - start;
  const want = allAtOnce ? 12000 : 3000;
  console.log(`${allAtOnce ? 'all at once  ' : 'one at a time'}  frame ${frameMs.toFixed(2)} ms; ` +
              `${exposures.length} exposures - ${want} ms: min ${fmt(Math.min(...exposures) - want)}` +
              ` max ${fmt(Math.max(...exposures) - want)}; tick to frame max ${Math.max(...latency).toFixed(1)};` +
              ` last word gone ${gone.toFixed(1)} after 始`);
  await page.close();
}

console.log('bench_frames in headless Chromium; times in ms (one frame at 60 Hz: 16.7 ms)');
await display(false);
await display(true);
await browser.close();
server.close();
