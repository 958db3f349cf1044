// What the page tests share.  A whole game in a tab of any engine (engines.mjs), by
// clicks (the games by the keyboard alone are rows of the real-input table), read back from the page and checked against
// sorato-drive playing the same game: each question's word, every question number whole
// on one line, the lists, the scores and the verdicts, and where the focus goes.  And
// where the window stands on the screen.
import {execFileSync} from 'node:child_process';
import {join} from 'node:path';
import {engine} from './engines.mjs';

export const equal = (a, b) => JSON.stringify(a) === JSON.stringify(b);

// A fixed sequence of draws, so that the page and the driver play the same game.
export function draws(seed) {
  const out = [];
  for (let i = 0; i < 200; i++) {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    out.push(Math.floor((seed / 2147483648) * 1000) / 1000);
  }
  return out;
}

// What the driver says of the same game: each question's word, then the results.
function driven(driver, values, allAtOnce, answers) {
  const script = execFileSync('bash', [new URL('../driven_game.sh', import.meta.url).pathname,
                                       values.join(' '), allAtOnce ? 'btn2Jun' : 'btn1Jun',
                                       String(allAtOnce ? 12000 : 36000), '--words',
                                       ...answers.map((yes) => (yes ? 'btnY' : 'btnN'))]);
  const out = execFileSync(driver, {input: script, encoding: 'utf8'});
  return out.trim().split('\n').map((l) => JSON.parse(l).replaceAll('\r\n', '\n'));
}

// Plays one game in `tab`, a fresh load of the tests' build of the page; `check(ok, what)`
// reports each finding, and screenshots go to `artefacts`, their names starting with `shots`.
// `look(state)`, if given, is called at each state: the display, the first question, the
// results.
export async function play(tab, {allAtOnce, seed, driver, artefacts, check, shots = '', look = async () => {}}) {
  const name = `${allAtOnce ? 'all at once' : 'one at a time'}, clicks`;
  const values = draws(seed);
  await tab.evaluate((v) => v.forEach((r) => globalThis.soratoGame._sorato_script_random(r)), values);
  const answers = Array.from({length: 20}, (_, n) => (n * 7 + seed) % 3 !== 0);
  const words = [];
  const shot = (what) => tab.screenshot(join(artefacts, `${shots}${allAtOnce ? 'all' : 'one'}-${what}.png`));
  await tab.click(allAtOnce ? '#btn2Jun' : '#btn1Jun');
  await tab.click('#btnST');
  await tab.advance(allAtOnce ? 6000 : 1800);
  await shot('display');
  await look('display');
  const ended = await tab.until(() => !document.getElementById('btnQ').disabled,
                                allAtOnce ? 6000 : 34200);
  check(ended, `${name}: the display ends`);
  await tab.click('#btnQ');
  await look('question');
  let counters = true;  // every question number on one line, none cut to its first digit
  for (const yes of answers) {
    words.push(await tab.text('lbl1'));
    counters = counters && await tab.evaluate(() => {
      // One line, and no wider than the label but for the antialiasing at its edges.
      const e = document.getElementById('lblQn');
      const text = document.createRange();
      text.selectNodeContents(e);
      const ink = text.getBoundingClientRect(), box = e.getBoundingClientRect();
      const pixel = box.width / e.offsetWidth;  // one CSS pixel of the label, as scaled
      return e.scrollHeight <= e.clientHeight && ink.height <= box.height + pixel &&
             ink.width <= box.width + 2 * pixel;
    });
    await tab.click(yes ? '#btnY' : '#btnN');
  }
  await tab.click('#btnA');
  await shot('results');
  await look('results');
  const results = [];
  for (const id of ['lblA', 'lblB', 'lblAn', 'lblBn']) results.push(await tab.text(id));
  const expected = driven(driver, values, allAtOnce, answers);
  check(equal(words, expected.slice(0, 20)), `${name}: the twenty questions are the driver's`);
  check(counters, `${name}: question numbers 1 to 20 each stand whole on one line`);
  check(equal(results, expected.slice(20)),
        `${name}: lists, scores and verdicts are the driver's (${results[2]}, ${results[3]})`);
  return name;
}

// Where the window stands on the page, evaluated in the page: its rectangle, the page's
// area (less the line that suggests turning a phone, when it shows), how wide the page
// has become, and whether each phrase of that line stands on one line.
export function fitOnScreen() {
  const r = document.querySelector('.window').getBoundingClientRect();
  const turn = document.getElementById('turn');
  const room = innerHeight - (turn.hidden ? 0 : turn.getBoundingClientRect().height);
  const phrasesWhole = [...turn.childNodes].every((n) => {
    const phrase = document.createRange();
    phrase.selectNodeContents(n);
    return n.nodeType !== Node.TEXT_NODE || phrase.getClientRects().length <= 1;
  });
  return {left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: innerWidth,
          height: innerHeight, room, scrollWidth: document.scrollingElement.scrollWidth,
          hint: !turn.hidden, phrasesWhole};
}

// The whole window inside the area, as large as the area allows, centred, the page no
// wider than the screen, and no phrase of the page's own line broken.
export function fitsWell(m) {
  const inside = m.left >= -0.5 && m.top >= -0.5 && m.right <= m.width + 0.5 && m.bottom <= m.room + 0.5;
  const large = Math.abs(m.right - m.left - m.width) < 1 || Math.abs(m.bottom - m.top - m.room) < 1;
  const centred = Math.abs(m.left - (m.width - m.right)) < 1 && Math.abs(m.top - (m.room - m.bottom)) < 1;
  return inside && large && centred && m.scrollWidth <= m.width && m.phrasesWhole;
}

// The sizes of touch screens, both ways up: phones and small tablets.
export const fingerSizes = [[360, 640], [390, 844], [844, 390], [412, 915], [915, 412],
                            [820, 1180], [1180, 820]];

// What a person sees and presses on a touch screen, evaluated in the page: every button
// and option takes a press anywhere in a 44 x 44 CSS px square round its centre, and no
// neighbour's press; every caption and text whole and on the screen, no two texts over
// one another (a text a frame covers, as the all-at-once display covers the line under
// it, counts as not shown); the lists and scores at 16 px at least and the word as large
// as in the window's own layout; the page not scrolled.  Returns what is wrong.
export function fingerProblems() {
  const problems = [];
  const inside = (r) => r.left >= -0.5 && r.top >= -0.5 && r.right <= innerWidth + 0.5 &&
                        r.bottom <= innerHeight + 0.5;
  const owner = (x, y) => document.elementFromPoint(x, y)?.closest('[data-control]')?.id ?? null;
  const shown = [...document.querySelectorAll('.window [data-control]')]
      .filter((e) => !e.closest('[hidden]') && e.getClientRects().length > 0);
  const cut = (e) => e.scrollWidth > e.clientWidth + 1 || e.scrollHeight > e.clientHeight + 1;
  // (a disabled frame's options take no press at all)
  for (const e of shown.filter((c) => c.matches('.button, .option') && !c.closest('[inert]'))) {
    const r = e.getBoundingClientRect();
    const x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    for (const dx of [-21.5, 0, 21.5]) {
      for (const dy of [-21.5, 0, 21.5]) {
        const hit = owner(x + dx, y + dy);
        if (hit !== e.id) problems.push(`a press ${dx}, ${dy} from ${e.id}'s centre reaches ${hit}`);
      }
    }
    if (!inside(r)) problems.push(`${e.id} off the screen`);
    if (cut(e)) problems.push(`${e.id}'s caption cut`);
  }
  const lines = [];
  for (const e of shown.filter((c) => c.matches('.label') && c.textContent.trim() !== '')) {
    const r = e.getBoundingClientRect();
    const over = document.elementFromPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    if (over && over.closest('.frame') && !over.closest('.frame').contains(e)) continue;
    const text = document.createRange();
    text.selectNodeContents(e);
    if (cut(e)) problems.push(`${e.id}'s text cut`);
    if (!inside(text.getBoundingClientRect())) problems.push(`${e.id}'s text off the screen`);
    // The lists and the scores at 16 px at least, the word as large as the window would draw it
    const px = parseFloat(getComputedStyle(e).fontSize) * r.width / e.offsetWidth;
    const least = e.id === 'lbl1' ? 48 * Math.min(innerWidth / 633.3, innerHeight / 466.7)
                                  : /^lbl[ABCD]Z?$|^lbl[AB]n$/.test(e.id) ? 16 : 0;
    if (px < least - 0.1) problems.push(`${e.id}'s text ${px.toFixed(1)} px, under ${least.toFixed(1)}`);
    for (const line of text.getClientRects()) {
      if (line.width < 1) continue;
      const hit = owner((line.left + line.right) / 2, (line.top + line.bottom) / 2);
      if (hit !== e.id) problems.push(`${e.id}'s text under ${hit}`);
      for (const [id, other] of lines) {
        if (id !== e.id && line.left < other.right && other.left < line.right &&
            line.top < other.bottom && other.top < line.bottom) {
          problems.push(`${e.id}'s text over ${id}'s`);
        }
      }
      lines.push([e.id, line]);
    }
  }
  const page = document.scrollingElement;
  if (page.scrollWidth > innerWidth || page.scrollHeight > innerHeight) problems.push('the page scrolls');
  return [...new Set(problems)];
}

// Larger text, as many people set their browser (engines.mjs, larger): the window's every
// caption and text takes the room it takes without it, in the window's own layout and in
// the one for fingers (#touch, probe.js), so that nothing is cut.  `plain` is the same
// engine as set by default.
export async function largerText(engineName, plain, base, {started, check}) {
  const larger = await engine(engineName, {width: 1000, height: 700, larger: true});
  // (first, how tall the browser draws a line of 10 px text: larger text must have taken)
  const boxes = () => {
    const line = Object.assign(document.createElement('div'), {className: 'gauge', textContent: 'あ'});
    line.style.fontSize = '10px';
    const zoom = document.body.appendChild(line).offsetHeight / 10;
    return [zoom, ...[...document.querySelectorAll('.window [data-control]')]
        .filter((e) => !e.closest('[hidden]') && e.textContent !== '')
        .map((e) => [e.id, e.scrollWidth, e.scrollHeight])];
  };
  for (const [layout, width, height] of [['', 1000, 700], ['#touch', 844, 390], ['#touch', 820, 1180]]) {
    const seen = [];
    for (const browser of [plain, larger]) {
      const tab = await browser.open(base + layout, {width, height});
      await started(tab);
      seen.push(await tab.evaluate(boxes));
      await tab.close();
    }
    const [[, ...want], [zoom, ...got]] = seen;
    const differ = want.filter(([id, w, h], i) => !got[i] || got[i][0] !== id ||
                                                 Math.abs(got[i][1] - w) > 1 || Math.abs(got[i][2] - h) > 1);
    check(zoom > 1.1 && want.length > 12 && got.length === want.length && differ.length === 0,
          `${engineName}, larger text, ${layout ? 'for fingers' : 'the window'} at ${width}×${height}: ` +
          `every caption and text as large as without it (text ×${zoom} ${JSON.stringify(differ.map(([id]) => [id, got.find((g) => g[0] === id)]))})`);
  }
  await larger.close();
}
