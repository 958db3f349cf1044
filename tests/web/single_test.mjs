// The page in one file (build-web/sorato-test.html, the tests' copy of sorato.html),
// opened from disk in one engine, on the test's clock: it starts with no error and no CSP violation, plays a
// whole game of each mode by clicks as the driver does, and fits the screen at the sizes
// of a phone upright and sideways, a desktop and a large monitor, each a fresh load; in a
// browser that cannot unpack its WebAssembly, it says so.
// Usage: node single_test.mjs ENGINE SINGLE_TEST_HTML DRIVER ARTEFACTS_DIR
import {mkdir} from 'node:fs/promises';
import {resolve} from 'node:path';
import {pathToFileURL} from 'node:url';
import {engine} from './engines.mjs';
import {fitOnScreen, fitsWell, play} from './games.mjs';

const [engineName, file, driver, artefacts] = process.argv.slice(2);
await mkdir(resolve(artefacts), {recursive: true});
const url = pathToFileURL(resolve(file)).href;
const browser = await engine(engineName, {width: 1000, height: 700, clock: true});
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${engineName}, one file: ${what}`);
  if (!ok) failures++;
}
const started = (tab) => tab.poll(() => (globalThis.soratoGame && document.querySelector('.maximize') ? true : null), 15000);
const problems = (tab) => tab.evaluate(() => globalThis.soratoProblems);

try {
  for (const [allAtOnce, seed] of [[false, 31], [true, 32]]) {
    const tab = await browser.open(url);
    check(await started(tab), `opened from disk (${url.slice(0, 40)}…), the game starts`);
    await play(tab, {allAtOnce, seed, driver, artefacts, check, shots: `${engineName}-single-`});
    const seen = await problems(tab);
    check(Array.isArray(seen) && seen.length === 0, `no error and no CSP violation (${JSON.stringify(seen)})`);
    await tab.close();
  }
  for (const [width, height, hint] of [[390, 844, true], [844, 390, false], [1000, 700, false],
                                       [1600, 1000, false]]) {
    const tab = await browser.open(url, {width, height});
    await started(tab);
    const m = await tab.evaluate(fitOnScreen);
    check(fitsWell(m) && m.hint === hint, `fresh load at ${m.width}×${m.height}: the window fits, as large as it can and centred`);
    await tab.close();
  }
  const tab = await browser.open(`${url}#old-browser`);
  const note = await tab.poll(() => {
    const p = document.getElementById('fallback');
    return p && !p.hidden && p.textContent.includes('一つのファイルにまとめた') ? p.textContent : null;
  }, 15000);
  check(note !== null && await tab.evaluate(() => !document.querySelector('.window')),
        `a browser that cannot unpack it: no window, the page says so (${note})`);
  await tab.close();
} catch (e) {
  check(false, e.stack);
} finally {
  await browser.close();
}
console.log(`${engineName}, one file: ${failures === 0 ? 'all passed' : `${failures} failed`}`);
process.exit(failures === 0 ? 0 : 1);
