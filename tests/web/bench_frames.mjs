// The page's timing, frame by frame, in one browser engine on the real clock: for each
// display, the frame that first shows each word and the frame that first shows it gone,
// from requestAnimationFrame's frame times.  A change is exact when it is shown in the
// frame nearest its due time, the schedule counted from the first frame after the click
// on 始 (where the game anchors it): at a steady frame rate, each exposure is then the whole number of frames nearest
// its time; where frames come unevenly (WebKitGTK draws on a timer of its own), it is
// still the nearest frame there was.  Both modes at both paces.  Run by hand (about three
// minutes an engine):
//   node tests/web/bench_frames.mjs build-web/page-test [chromium|firefox|webkit]
import {resolve} from 'node:path';
import {engine} from './engines.mjs';
import {serve} from './harness.mjs';

const engineName = process.argv[3] || 'chromium';

// Installed before the page loads: each change of the word labels, its time and the frame
// that first shows it (the frame whose callback made it, else the next).
function watch() {
  globalThis.benchLog = [];
  const texts = () => ['lbl1', 'lblAZ'].map((id) => document.getElementById(id)?.textContent ?? '');
  let last = null;
  const sample = (inFrame) => {
    const text = texts().join('|'), changed = performance.now();
    if (text === last) return;
    last = text;
    const log = (frame) => globalThis.benchLog.push({text, changed, frame});
    if (inFrame !== undefined) log(inFrame); else requestAnimationFrame(log);
  };
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((t) => { callback(t); sample(t); });
  new MutationObserver(() => sample()).observe(document, {subtree: true, childList: true, characterData: true});
  document.addEventListener('click', (e) => {
    if (e.target.id !== 'btnST') return;
    globalThis.benchStart = performance.now();
    requestAnimationFrame((t) => { globalThis.benchAnchor = t; });
  }, true);
  // The frame rate the page is drawn at.
  globalThis.benchFrames = [];
  const frame = (t) => { globalThis.benchFrames.push(t); requestAnimationFrame(frame); };
  requestAnimationFrame(frame);
}

const server = await serve(resolve(process.argv[2] || 'build-web/page-test'), {probe: `(${watch})();`});
const browser = await engine(engineName, {width: 800, height: 600});

const fmt = (v) => (v >= 0 ? '+' : '') + v.toFixed(1);
// One display: every exposure (a word, a blank between words, the list) against its time.
const totals = {exact: 0, all: 0};
async function display(allAtOnce, slow) {
  const tab = await browser.open(server.base);
  await tab.poll(() => (document.getElementById('btnST') ? true : null), 15000);
  if (slow) await tab.click('#Option4');
  await tab.click(allAtOnce ? '#btn2Jun' : '#btn1Jun');
  await tab.click('#btnST');
  await tab.until(() => !document.getElementById('btnQ').disabled, 90000);
  await tab.advance(200);
  const {log, start, anchor, frames} = await tab.evaluate(
      () => ({log: globalThis.benchLog, start: globalThis.benchStart, anchor: globalThis.benchAnchor,
              frames: globalThis.benchFrames}));
  // The frame period: the mean gap between frames, gaps over 1.5 × the median left out.
  const shown = frames.filter((t) => t >= start), gaps = shown.slice(1).map((t, i) => t - shown[i]);
  const median = [...gaps].sort((a, b) => a - b)[Math.floor(gaps.length / 2)];
  const steady = gaps.filter((g) => g < 1.5 * median);
  const frameMs = steady.reduce((a, b) => a + b, 0) / steady.length;
  const afterStart = log.filter((e) => e.changed >= start);
  const [wordMs, blankMs] = [(allAtOnce ? 12000 : 3000) * (slow ? 2 : 1), slow ? 1200 : 600];
  const nearest = (t) => shown.reduce((a, b) => (Math.abs(b - t) < Math.abs(a - t) ? b : a));
  const errors = [];
  const inNearest = (frame, due) => Math.abs(frame - due) <= Math.abs(nearest(due) - due);
  // The list stands from the click on; the first word one tick (a blank's time) after it.
  let exact = 0, due = anchor + (allAtOnce ? 0 : blankMs);
  for (let i = 0; i + 1 < afterStart.length; i++) {
    const word = afterStart[i].text.split('|')[allAtOnce ? 1 : 0];
    if (word === '' && (allAtOnce || i === 0)) continue;  // before the first word, after the last
    const began = errors.length > 0 || inNearest(afterStart[i].frame, due);
    due += word !== '' ? wordMs : blankMs;
    const frame = afterStart[i + 1].frame;
    errors.push(frame - due);
    if (began && inNearest(frame, due)) exact++;
  }
  [totals.exact, totals.all] = [totals.exact + exact, totals.all + errors.length];
  const gone = afterStart[afterStart.length - 1].frame - start;
  console.log(`${allAtOnce ? 'all at once  ' : 'one at a time'} ${slow ? 'slow' : 'fast'}  frame ` +
              `${frameMs.toFixed(2)} ms; ${errors.length} exposures, ${exact} exact to the frame; ` +
              `frame against due time min ${fmt(Math.min(...errors))} max ${fmt(Math.max(...errors))}; ` +
              `last word gone ${gone.toFixed(1)} after 始`);
  await tab.close();
}

console.log(`bench_frames in ${engineName}; times in ms (one frame at 60 Hz: 16.7 ms)`);
for (const slow of [false, true]) {
  await display(false, slow);
  await display(true, slow);
}
console.log(`${engineName}: ${totals.exact} of ${totals.all} exposures exact to the frame`);
await browser.close();
server.close();
