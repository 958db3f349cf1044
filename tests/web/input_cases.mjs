// The real-input cases of tests/input_cases.txt on the page, in any engine (engines.mjs),
// each on a fresh load of the tests' build, by the engine's own input actions, the page
// on the test's clock (an engine opened with {clock: true}): the game's time moves only
// where the table says ("again", "wait"), however long the input takes.  The end state
// (the table's "state" expressions, read through the tests' build) must be what
// sorato-drive makes of the same events.  A page has no close box: that case is skipped.
import {execFileSync} from 'node:child_process';
import {readFileSync} from 'node:fs';

const pause = (ms) => new Promise((done) => setTimeout(done, ms));
const keyName = {Return: 'Enter', space: ' ', Down: 'ArrowDown', Tab: 'Tab', 'shift+Tab': 'Shift+Tab'};
const buttonName = {1: 'left', 2: 'right', 4: 'middle'};

// leftOnly: an engine whose tool presses only the left button soundly (WebKitWebDriver:
// after a middle or right press, MiniBrowser loses the next presses, in later tabs too);
// the cases with other buttons are skipped there.
export async function inputCases(browser, base, {driver, check, started, leftOnly = false}) {
  const table = readFileSync(new URL('../input_cases.txt', import.meta.url), 'utf8').split('\n');
  const state = table.find((l) => l.startsWith('state: ')).slice(7).split(' ');
  const draws = table.find((l) => l.startsWith('draws: ')).slice(7).split(' ').map(Number);
  for (const line of table) {
    if (line === '' || line.startsWith('#') || /^(state|draws):/.test(line)) continue;
    const name = line.slice(0, line.indexOf(':'));
    const steps = line.slice(name.length + 2).split(' ; ').map((s) => s.trim().split(/ +/));
    if (steps.some(([what]) => what === 'close')) {
      console.log(`skip ${name}: a page has no close box`);
      continue;
    }
    if (leftOnly && steps.some(([what, , button]) => what === 'press' && button !== '1')) {
      console.log(`skip ${name}: this engine's tool presses the left button only`);
      continue;
    }
    const script = [`random ${draws.join(' ')}`];
    for (const [what, ...w] of steps) {
      if (what === 'again') script.push(`advance ${w[1]}`);
      if (what === 'click' || what === 'again') script.push(`click ${w[0]}`);
      if (what === 'double') script.push(`click ${w[0]}`, `click ${w[0]}`);
      if (what === 'key' && w[1] !== '-') for (let n = Number(w[2] ?? 1); n > 0; n--) script.push(`click ${w[1]}`);
      if (what === 'hold') script.push(`click ${w.at(-1)}`);
      if (what === 'press') script.push(`mousedown ${w[0]} ${w[1]} ${w[2]} 0 0`);
      if (what === 'wait') script.push(`advance ${w[0]}`);
    }
    for (const e of state) script.push(`get ${e}`);
    const want = execFileSync(driver, {input: script.join('\n') + '\n', encoding: 'utf8'}).trim().split('\n');
    const tab = await browser.open(base);
    if (!(await started(tab))) {
      check(false, `input: ${name}: the page did not start`);
      continue;
    }
    try {
      await tab.evaluate((v) => v.forEach((r) => globalThis.soratoGame._sorato_script_random(r)), draws);
      for (const [what, ...w] of steps) {
        const at = `#${w[0]}`;
        if (what === 'click') await tab.click(at);
        if (what === 'again') { await tab.advance(Number(w[1])); await tab.click(at); }
        if (what === 'double') await tab.dblclick(at);
        if (what === 'key') for (let n = Number(w[2] ?? 1); n > 0; n--) await tab.press(keyName[w[0]]);
        if (what === 'hold') await tab.hold(keyName[w[0]], Number(w[1]));
        if (what === 'away') await tab.away();
        if (what === 'enlarge') { await tab.click('.maximize'); await pause(300); }
        if (what === 'wait') await tab.advance(Number(w[0]));
        if (what === 'press') {
          const keys = [[1, 'Shift'], [2, 'Control'], [4, 'Alt']].filter(([bit]) => w[2] & bit).map(([, k]) => k);
          await tab.pressOn(at, buttonName[w[1]], keys);
        }
      }
      await pause(100);
      const got = await tab.evaluate((exprs) => exprs.map((e) => globalThis.soratoGame.get(e)), state);
      const same = got.every((v, i) => v === want[i]);
      check(same, `input: ${name}` + (same ? '' : ` (${state.map((e, i) => `${e} ${got[i]}, not ${want[i]}`)
                                                   .filter((_, i) => got[i] !== want[i]).join('; ')})`));
    } catch (e) {
      check(false, `input: ${name}: ${e.message}`);
    }
    await tab.close();
  }
}
