// The page's own part of the binding: it loads the game, hands the page's input to it,
// and scales the window to the screen.  Every decision is the game's.
'use strict';

(function () {
  const host = document.getElementById('sorato');
  const note = document.getElementById('fallback');
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

  // The whole window, scaled to fit the screen and centred, keeping its proportions; the
  // browser's own zoom (Ctrl +, which shrinks the viewport in CSS pixels) enlarges it
  // beyond that, and the page then scrolls.
  function fit() {
    const win = host.querySelector('.window');
    if (!win) return;
    const w = win.offsetWidth, h = win.offsetHeight;
    const ratio = window.outerWidth / window.innerWidth;
    const zoom = ratio >= 1.1 ? ratio : 1;  // below that: the window's own borders
    const scale = Math.min(window.innerWidth / w, window.innerHeight / h) * zoom;
    const left = Math.max(0, (window.innerWidth - w * scale) / 2);
    const top = Math.max(0, (window.innerHeight - h * scale) / 2);
    win.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
    host.style.width = `${left + w * scale}px`;
    host.style.height = `${top + h * scale}px`;
  }

  function controlOf(target) {
    const holder = target.closest('[data-control]');
    return holder ? Number(holder.dataset.control) : -1;
  }

  createSorato().then((game) => {
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
