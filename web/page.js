// The page's own part of the binding: it loads the game, hands the page's input to it,
// and scales the window to the screen.  Every decision is the game's.
'use strict';

(function () {
  const host = document.getElementById('sorato');
  const note = document.getElementById('fallback');
  const turn = document.getElementById('turn');
  const cannotStart =
      'ソラトを始められませんでした。このブラウザーは WebAssembly を使えないか、' +
      'ページがファイルとして開かれています。ウェブサーバーから開くか' +
      '（たとえば ./run.sh web）、新しいブラウザーでお試しください。';

  function fail() {
    host.hidden = true;
    note.hidden = false;
    note.textContent = cannotStart;
  }

  if (typeof WebAssembly !== 'object' || typeof createSorato !== 'function' ||
      location.protocol === 'file:') {
    fail();
    return;
  }

  // The release this page belongs to: every file it loads is asked for with it, so that
  // a page never runs files of two releases together.
  const release = document.querySelector('meta[name="sorato-release"]').content;

  // The whole window, as large as the page's area allows, keeping its proportions, and
  // centred.  No browser tells a page its zoom soundly (the outer width over the inner
  // one also grows with a side panel), so the window fills the area at every zoom.  On
  // a phone held upright the window, wider than tall, is small: a line suggests turning it.
  function fit() {
    const win = host.querySelector('.window');
    if (!win) return;
    const width = document.documentElement.clientWidth;
    const height = document.documentElement.clientHeight;
    const upright = height > width && width < 600;
    turn.hidden = !upright;
    const room = upright ? height - turn.offsetHeight : height;
    const w = win.offsetWidth, h = win.offsetHeight;
    const scale = Math.min(width / w, room / h);
    const left = (width - w * scale) / 2;
    const top = (room - h * scale) / 2;
    win.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
  }

  function controlOf(target) {
    const holder = target.closest('[data-control]');
    return holder ? Number(holder.dataset.control) : -1;
  }

  createSorato({locateFile: (path, prefix) => `${prefix}${path}?r=${release}`}).then((game) => {
    note.hidden = true;
    fit();
    window.addEventListener('resize', fit);
    // A click on a button, or on a radio button (also when the arrow keys select it).
    host.addEventListener('click', (e) => {
      const t = e.target;
      if (t instanceof HTMLButtonElement || (t instanceof HTMLInputElement && t.type === 'radio')) {
        game._sorato_click(controlOf(t));
      }
    });
    // A press on a label: the button that went down, the keys held, where in the label.
    host.addEventListener('pointerdown', (e) => {
      const t = e.target;
      if (!t.classList.contains('label')) return;
      game._sorato_press(controlOf(t), e.button, e.shiftKey, e.ctrlKey, e.altKey, e.offsetX,
                         e.offsetY);
    });
    host.addEventListener('contextmenu', (e) => e.preventDefault());
    document.addEventListener('visibilitychange', () => {
      if (document.hidden) game._sorato_out_of_sight();
    });
  }, fail);

  // Offline once loaded: a service worker keeps the page's own files, nothing else.
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
