// The page's timing, frame by frame, in one browser engine on the real clock: for each
// display, the frame that first shows each word and the frame that first shows it gone,
// from requestAnimationFrame's frame times; the exposure is the difference.  Run by hand
// (about a minute an engine):
//   node tests/web/bench_frames.mjs build-web/page-test [chromium|firefox|webkit]
import {resolve} from 'node:path';
import {engine} from './engines.mjs';
import {serve} from './harness.mjs';

const engineName = process.argv[3] || 'chromium';

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

const server = await serve(resolve(process.argv[2] || 'build-web/page-test'), {probe: `(${watch})();`});
const browser = await engine(engineName, {width: 800, height: 600});

const fmt = (v) => (v >= 0 ? '+' : '') + v.toFixed(1);
async function display(allAtOnce) {
  const tab = await browser.open(server.base);
  await tab.poll(() => (document.getElementById('btnST') ? true : null), 15000);
  await tab.click(allAtOnce ? '#btn2Jun' : '#btn1Jun');
  await tab.click('#btnST');
  await tab.until(() => !document.getElementById('btnQ').disabled, 40000);
  await tab.advance(200);
  const {log, start, frames} = await tab.evaluate(
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
  await tab.close();
}

console.log(`bench_frames in ${engineName}; times in ms (one frame at 60 Hz: 16.7 ms)`);
await display(false);
await display(true);
await browser.close();
server.close();
