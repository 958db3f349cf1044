// The page in one browser engine (firefox or webkit; Chromium's own, fuller run is
// page_test.mjs), on the test's clock: it starts with no error and no CSP violation;
// whole games of both modes by clicks against the native driver's game; the real-input
// table (games by the keyboard alone among its rows); every question number whole; fresh
// loads at the sizes of a phone upright and sideways, a desktop and a large monitor; and
// an offline start from the service worker.
// Usage: node engine_test.mjs ENGINE TEST_PAGE_DIR DRIVER ARTEFACTS_DIR
import {readFileSync} from 'node:fs';
import {mkdir} from 'node:fs/promises';
import {join, resolve} from 'node:path';
import {engine} from './engines.mjs';
import {fingerProblems, fingerSizes, fitOnScreen, fitsWell, largerText, play} from './games.mjs';
import {inputCases} from './input_cases.mjs';
import {serve} from './harness.mjs';

const [engineName, pageDir, driver, artefacts] = process.argv.slice(2);
await mkdir(resolve(artefacts), {recursive: true});

// Set before anything else on the page (probe.js): every error and CSP violation.
const probe = readFileSync(new URL('probe.js', import.meta.url), 'utf8');
const server = await serve(resolve(pageDir), {probe});
const browser = await engine(engineName, {width: 1000, height: 700, clock: true});

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${engineName}: ${what}`);
  if (!ok) failures++;
}
// (A page that reloads is started when the page before it is gone: it is marked.)
const startedIn = (tab) => tab.poll(() => (!globalThis.soratoBefore && globalThis.soratoGame &&
                                           document.getElementById('btnST') &&
                                           document.querySelector('.window') ? true : null), 60000);

// Offline: once the worker keeps the page, it starts with the network gone.  WebKit's
// session under WebDriver is a private one, whose worker, once stopped for want of a page,
// comes back to an empty store: there the offline start is checked on the first visit,
// while the worker that kept the page still runs; elsewhere after every other visit.
async function offline(tab, when) {
  const kept = await tab.poll(() => (navigator.serviceWorker.controller ? true : null), 60000);
  server.down(true);
  await tab.evaluate(() => { globalThis.soratoBefore = true; location.reload(); });
  check(kept && (await startedIn(tab)),
        `offline, ${when}, the page still starts the game${kept ? '' : ' (no worker kept it)'}`);
  server.down(false);
  await tab.close();
}

try {
  const first = await browser.open(server.base);
  check(await startedIn(first), 'the page starts');
  const problems = await first.evaluate(() => globalThis.soratoProblems);
  check(Array.isArray(problems) && problems.length === 0,
        `no error and no CSP violation while it starts (${JSON.stringify(problems)})`);
  if (engineName === 'webkit') await offline(first, 'the first visit');
  else await first.close();

  for (const [allAtOnce, seed] of [[false, 21], [true, 22]]) {
    const tab = await browser.open(server.base);
    if (!(await startedIn(tab))) {
      check(false, `game ${seed}: the page did not start`);
      continue;
    }
    try {
      await play(tab, {allAtOnce, seed, driver, artefacts, check, shots: `${engineName}-`});
    } catch (e) {
      check(false, `game ${seed}: ${e.message}`);
    }
    const problems = await tab.evaluate(() => globalThis.soratoProblems);
    check(problems.length === 0, `game ${seed}: no error on the page (${JSON.stringify(problems)})`);
    await tab.close();
  }

  await inputCases(browser, server.base, {driver, check, started: startedIn,
                                          leftOnly: engineName === 'webkit'});

  // Fresh loads, the size set before each load (these engines have no phone emulation
  // here: a window of a phone's size stands in; MiniBrowser is at least 447 px wide): the
  // whole window inside, as large as it can be, centred, the page no wider than the area.
  // Only a phone held upright shows the line that suggests turning it.
  for (const [width, height, hint] of [[390, 844, true], [844, 390, false], [1000, 700, false],
                                       [1600, 1000, false]]) {
    const sized = await browser.open(server.base, {width, height});
    await startedIn(sized);
    const m = await sized.evaluate(fitOnScreen);
    check(fitsWell(m) && m.hint === hint,
          `fresh load at ${m.width}×${m.height}: the window fits, as large as it can and centred ` +
          `(${[m.left, m.top, m.right, m.bottom].map(Math.round)}), ${hint ? 'with' : 'without'} the line to turn the phone`);
    await sized.close();
  }
  // Told it is a touch screen (#touch: these engines have no touch emulation here), at
  // the sizes of phones and tablets the page lays the window out for fingers: every
  // button and option takes a finger and every text stands whole, at the start and in an
  // all-at-once display (Chromium plays whole games so, page_test.mjs).
  for (const [width, height] of fingerSizes) {
    if (engineName === 'webkit' && width < 447) continue;
    const sized = await browser.open(`${server.base}#touch`, {width, height});
    await startedIn(sized);
    const problems = (await sized.evaluate(fingerProblems)).map((p) => `start: ${p}`);
    await sized.click('#btn2Jun');
    await sized.click('#btnST');
    await sized.until(() => document.getElementById('lblAZ').textContent !== '', 5000);
    problems.push(...(await sized.evaluate(fingerProblems)).map((p) => `display: ${p}`));
    const forFingers = await sized.evaluate(() => document.querySelector('.window').classList.contains('touch'));
    check(forFingers && problems.length === 0,
          `${width}×${height}, laid out for fingers: every target takes a finger, every text whole (${problems.slice(0, 6).join('; ')})`);
    await sized.close();
  }
  await largerText(engineName, browser, server.base, {started: startedIn, check});
  if (engineName !== 'webkit') await offline(await browser.open(server.base), 'after many visits');
} catch (e) {
  check(false, e.stack);
} finally {
  await browser.close();
  server.close();
}
console.log(`${engineName}: ${failures === 0 ? 'all passed' : `${failures} failed`}`);
process.exit(failures === 0 ? 0 : 1);
