// Every release reaches a returning visitor, whole.  Three releases of the published page
// are made with the project's own build (A as built; B and C each with one page file
// changed, then stamped by scripts/web.sh), and served from 127.0.0.1 with
// `Cache-Control: max-age=600` on every response, as static hosts do.  A visitor comes
// until A's worker controls the page; B is published; the next visits must run B, all of
// its files and none of A's; B starts offline; C is published while the network drops
// its WebAssembly file, and B goes on, whole; once C can be had, it runs.  Then, on a host
// of its own, a network that takes the requests and answers none: the release kept last
// starts.
// Usage: node update_test.mjs PUBLISHED_PAGE_DIR [chromium|firefox]
import {appendFile, cp, mkdtemp, readFile, rm} from 'node:fs/promises';
import {execFileSync} from 'node:child_process';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';
import {engine} from './engines.mjs';
import {serve} from './harness.mjs';

const [pageDir, engineName = 'chromium'] = process.argv.slice(2);
const root = await mkdtemp(join(tmpdir(), 'sorato-releases-'));
const project = resolve(new URL('../..', import.meta.url).pathname);

async function release(name, from, change) {
  const dir = join(root, name);
  await cp(from, dir, {recursive: true});
  if (change) {
    await appendFile(join(dir, change), `\n/* release ${name} */\n`);
    execFileSync(join(project, 'scripts/web.sh'), ['stamp', dir]);
  }
  const html = await readFile(join(dir, 'index.html'), 'utf8');
  return {dir, id: html.match(/name="sorato-release" content="(\w+)"/)[1]};
}
const A = await release('A', resolve(pageDir));
const B = await release('B', A.dir, 'sorato.css');
const C = await release('C', B.dir, 'sorato.js');

// The host: one release at a time, as static hosts send it.
const host = await serve(A.dir, {headers: {'Cache-Control': 'max-age=600'}});
const base = host.base;

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${engineName}: ${what}`);
  if (!ok) failures++;
}

// One visit: a new tab on the page; what release it runs, whether every file it loaded
// belongs to that release, whether the game started, and whether a worker controls it.
const browser = await engine(engineName);
async function visit(at = base) {
  const tab = await browser.open(at);
  const seen = await tab.poll(() => {
    const button = document.getElementById('btnST');
    if (!button || !document.querySelector('.window')) return null;
    const release = document.querySelector('meta[name="sorato-release"]').content;
    const files = performance.getEntriesByType('resource').map((e) => e.name)
        .filter((n) => n.includes('?r='));
    return {release, files, mixed: files.filter((n) => !n.endsWith(`?r=${release}`)),
            controlled: Boolean(navigator.serviceWorker.controller)};
  }, 15000);
  await tab.close();
  return seen;
}
const named = (seen) => (seen ? (seen.release === A.id ? 'A' : seen.release === B.id ? 'B' :
                                 seen.release === C.id ? 'C' : '?') : 'nothing');

// Visits until the worker has taken a visit from its start: two visits in a row under it.
async function controlled(at = base) {
  let seen = null;
  for (let n = 1, visits = 0; n <= 8 && visits < 2; n++) {
    seen = await visit(at);
    visits = seen && seen.controlled ? visits + 1 : 0;
  }
  return seen && seen.controlled ? seen : null;
}

try {
  const seen = await controlled();
  check(named(seen) === 'A', `visits to release A until its worker controls the page (${named(seen)})`);

  host.dir = B.dir;
  const first = await visit();
  const second = await visit();
  const runsB = (s) => s && named(s) === 'B' && s.mixed.length === 0 && s.files.some((f) => f.includes('sorato.wasm'));
  check(runsB(second) && (runsB(first) || named(first) === 'A'),
        `after B is published, visit 1 runs ${named(first)}, visit 2 runs ${named(second)}, each with its own files only`);
  check(runsB(first), 'the first visit after a release runs it');

  host.down(true);
  const offline = await visit();
  check(runsB(offline), `offline, the release kept last starts (${named(offline)})`);
  host.down(false);

  host.dir = C.dir;
  host.failing = 'sorato.wasm';
  const dropped = await visit();
  check(runsB(dropped), `a release that cannot be had whole is not used: B goes on (${named(dropped)})`);
  host.failing = null;
  const healed = await visit();
  const again = await visit();
  check([healed, again].some((s) => s && named(s) === 'C' && s.mixed.length === 0),
        `once its files can be had, release C runs (${named(healed)}, then ${named(again)})`);

  const still = await serve(C.dir, {headers: {'Cache-Control': 'max-age=600'}});
  const kept = await controlled(still.base);
  still.hang(true);
  const stalled = await visit(still.base);
  check(kept && stalled && named(stalled) === 'C' && stalled.mixed.length === 0,
        `a network that answers nothing: the release kept last starts (${named(kept)}, then ${named(stalled)})`);
  still.hang(false);
  still.close();
} catch (e) {
  check(false, e.message);
} finally {
  await browser.close();
  host.close();
  await rm(root, {recursive: true, force: true});
}
console.log(`${engineName}: ${failures === 0 ? 'all passed' : `${failures} failed`}`);
process.exit(failures === 0 ? 0 : 1);
