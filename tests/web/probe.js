// Run before anything else on the page in the tests: every error, failed load, rejected
// promise and CSP violation, kept for the test to read (WebKitWebDriver gives no console
// log).  Opened with these words in its fragment (#touch,clock): old-browser, the page
// meets a browser that cannot unpack a stream; touch, a touch screen (for an engine with
// no touch emulation here); clock, the page's timers, frames and time run only as the
// test moves them (soratoClock.runFor(ms)), 60 frames a second.  Run twice (a page that
// carries it, and a tool's script run before every page), it acts once.
if (!globalThis.soratoProblems) {
  const soratoAsked = location.hash.slice(1).split(',');
  if (soratoAsked.includes('old-browser')) delete globalThis.DecompressionStream;
  if (soratoAsked.includes('touch')) {
    const soratoMedia = matchMedia.bind(globalThis);
    globalThis.matchMedia = (q) => (q === '(pointer: coarse)' ? {matches: true, media: q} : soratoMedia(q));
  }
  if (soratoAsked.includes('clock')) {
    const frame = 1000 / 60;
    const waits = new Map();  // id -> {due, fn, every}
    let now = 0, lastId = 0, frames = new Map();
    const wait = (fn, ms, every) => {
      const delay = Math.max(0, Number(ms) || 0);
      waits.set(++lastId, {due: now + delay, fn, every: every ? Math.max(1, delay) : 0, id: lastId});
      return lastId;
    };
    globalThis.soratoRealFrame = requestAnimationFrame.bind(globalThis);
    globalThis.setTimeout = (fn, ms, ...args) => wait(() => fn(...args), ms, false);
    globalThis.setInterval = (fn, ms, ...args) => wait(() => fn(...args), ms, true);
    globalThis.clearTimeout = globalThis.clearInterval = (id) => { waits.delete(id); };
    globalThis.requestAnimationFrame = (fn) => { frames.set(++lastId, fn); return lastId; };
    globalThis.cancelAnimationFrame = (id) => { frames.delete(id); };
    const run = (fn) => {
      try { fn(); } catch (e) { soratoProblems.push(`error: ${e.message}`); }
    };
    performance.now = () => now;
    Date.now = () => now;
    // Moves time on by ms: every wait and frame due on the way runs at its moment, in order
    // of time (a wait before a frame due at the same moment).
    globalThis.soratoClock = {
      runFor(ms) {
        const end = now + ms;
        for (;;) {
          let next = null;
          for (const w of waits.values()) if (!next || w.due < next.due || (w.due === next.due && w.id < next.id)) next = w;
          const nextFrame = frames.size ? (Math.floor(now / frame + 1e-9) + 1) * frame : Infinity;
          if (nextFrame < (next ? next.due : Infinity)) {
            if (nextFrame > end) break;
            now = nextFrame;
            const due = frames;
            frames = new Map();
            for (const fn of due.values()) run(() => fn(now));
          } else {
            if (!next || next.due > end) break;
            now = next.due;
            if (next.every) next.due += next.every; else waits.delete(next.id);
            run(next.fn);
          }
        }
        now = end;
      },
    };
  }
  globalThis.soratoProblems = [];
  addEventListener('error', (e) => soratoProblems.push('error: ' + (e.message || e.target.src || e.target.href)), true);
  addEventListener('unhandledrejection', (e) => soratoProblems.push('rejection: ' + e.reason));
  document.addEventListener('securitypolicyviolation', (e) => soratoProblems.push('csp: ' + e.violatedDirective + ' ' + e.blockedURI));
  const soratoConsoleError = console.error;
  console.error = (...a) => { soratoProblems.push('console: ' + a.join(' ')); soratoConsoleError(...a); };
}
