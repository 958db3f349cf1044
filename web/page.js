// The page's own part of the binding: it loads the game, hands the page's input to it,
// and scales the window to the screen.  Every decision is the game's.  It is linked at
// the end of the game's script, sorato.js.
(function () {
  'use strict';
  const host = document.getElementById('sorato');
  const note = document.getElementById('fallback');
  const turn = document.getElementById('turn');
  // The page published with its files names its release; the page in one file (the
  // game inside it) names none, and starts from anywhere, a disk too.
  const releaseMeta = document.querySelector('meta[name="sorato-release"]');
  // (Japanese breaks only between phrases here, where a zero-width space stands.)
  const cannotStart =
      'ソラトを\u200b始められませんでした。\u200bこのブラウザーは WebAssembly を\u200b使えません。' +
      '\u200b新しいブラウザーで\u200bお試しください。';
  const tooOld =
      'このブラウザーでは、\u200b一つのファイルにまとめた\u200bソラトを\u200b始められませんでした。' +
      '\u200b新しいブラウザーで\u200bお試しください。';
  const fromDisk =
      'このページは\u200bファイルとしては\u200b始められません。\u200bファイルで\u200b遊ぶときは、' +
      '\u200bゲームを\u200b一つにまとめた sorato.html を\u200b開いてください。';

  function fail(text = cannotStart) {
    host.hidden = true;
    note.hidden = false;
    note.textContent = text;
  }

  if (typeof WebAssembly !== 'object' || typeof createSorato !== 'function') {
    fail();
    return;
  }
  if (releaseMeta && location.protocol === 'file:') {
    fail(fromDisk);
    return;
  }

  // The release this page belongs to: every file it loads is asked for with it, so that
  // a page never runs files of two releases together.
  const release = releaseMeta && releaseMeta.content;

  // The whole window, as large as the page's area allows, keeping its proportions, and
  // centred.  No browser tells a page its zoom soundly (the outer width over the inner
  // one also grows with a side panel), so the window fills the area at every zoom.  On a
  // touch screen the game may lay the window out for fingers instead (the area's size and
  // whether it is a touch screen are all it needs to decide); else, on a phone held
  // upright the window, wider than tall, is small: a line suggests turning it.
  // Maximized (the title bar's box, or a double-click on the bar, as on a desktop), the
  // window takes the area's shape at one CSS pixel a pixel, never smaller than the size
  // the game gave it nor than what holds every control the game shows (the peek switch
  // below the start-up area, the lists beyond its right edge): it grows by the same
  // factor both ways until it does, then fits the area by scale.
  let game = null;
  let maximized = false;
  const touchScreen = matchMedia('(pointer: coarse)');
  // How much larger than asked the browser draws text (a text-only zoom, a phone's text
  // size): a line of 100-pixel text, one line high, measured; a change of it fits anew.
  let measured = 0;
  const gauge = document.createElement('div');
  gauge.className = 'gauge';
  gauge.textContent = 'あ';
  // What the game lays the window out for: the area, whether it is a touch screen, the
  // text zoom.  The game asks for it once as it builds the window, then fit() hands it on.
  function area() {
    measured = gauge.offsetHeight;
    return [document.documentElement.clientWidth, document.documentElement.clientHeight,
            touchScreen.matches ? 1 : 0, measured / 100];
  }
  function fit() {
    const win = host.querySelector('.window');
    if (!win) return;
    const [width, height, touch, textScale] = area();
    const forFingers = game._sorato_layout(width, height, touch, textScale) !== 0;
    const upright = !forFingers && height > width && width < 600;
    turn.hidden = !upright;
    const room = upright ? height - turn.offsetHeight : height;
    const wide = maximized && !forFingers;
    const form = win.querySelector('.form');
    const frameW = win.offsetWidth - form.offsetWidth, frameH = win.offsetHeight - form.offsetHeight;
    const unit = parseFloat(getComputedStyle(win).getPropertyValue('--u'));  // the binding's
    const grow = Math.max(1, (Number(win.dataset.wholeWidth) + frameW) / (width * unit),
                          (Number(win.dataset.wholeHeight) + frameH) / (room * unit));
    win.style.minWidth = wide ? `${width * unit * grow}px` : '';
    win.style.minHeight = wide ? `${room * unit * grow}px` : '';
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

  function frame() {
    const bar = host.querySelector('.titlebar');
    const box = document.createElement('button');
    box.type = 'button';
    box.className = 'maximize';
    box.tabIndex = -1;
    const toggle = () => {
      maximized = !maximized;
      host.querySelector('.window').classList.toggle('maximized', maximized);
      box.title = maximized ? '元に戻す' : '最大化';
      box.setAttribute('aria-label', box.title);
      fit();
    };
    box.addEventListener('click', toggle);
    bar.addEventListener('dblclick', (e) => { if (e.target !== box) toggle(); });
    bar.appendChild(box);
    maximized = true;
    toggle();
  }

  // The keys the game acts on itself, in the order the game numbers them.
  const keys = ['Tab', 'Enter', ' ', 'ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown'];

  // A finger on a label: held half a second it is a press with Shift held (a touch
  // screen has no Shift key), lifted sooner a plain press.  Moved off the label, or
  // joined by a second finger, it presses nothing.
  const longPress = 500;
  let touch = null;
  function touchDown(e, control) {
    const t = {id: e.pointerId, label: e.target, control, x: e.offsetX, y: e.offsetY, gone: false};
    t.timer = setTimeout(() => {
      if (!t.gone) game._sorato_press(t.control, 0, true, false, false, t.x, t.y);
      t.gone = true;
    }, longPress);
    touch = t;
  }
  function touchMoved(e) {
    if (!touch || e.pointerId !== touch.id) return;
    const r = touch.label.getBoundingClientRect();
    if (e.clientX < r.left || e.clientX > r.right || e.clientY < r.top || e.clientY > r.bottom) {
      touch.gone = true;
    }
  }
  function touchUp(e) {
    if (!touch || e.pointerId !== touch.id) return;
    touchMoved(e);
    clearTimeout(touch.timer);
    if (!touch.gone && e.type === 'pointerup') {
      game._sorato_press(touch.control, 0, false, false, false, touch.x, touch.y);
    }
    touch = null;
  }

  const where = release ? {locateFile: (path, prefix) => `${prefix}${path}?r=${release}`} : {};
  where.soratoArea = area;
  // The page in one file carries the game's WebAssembly in a block of its own, compressed
  // (gzip) and in base64: the browser unpacks it, as it reads it.
  const packed = document.getElementById('sorato-wasm');
  if (packed) {
    if (typeof DecompressionStream !== 'function') {
      fail(tooOld);
      return;
    }
    where.instantiateWasm = (imports, received) => {
      fetch(`data:application/octet-stream;base64,${packed.textContent}`)
        .then((r) => new Response(r.body.pipeThrough(new DecompressionStream('gzip'))).arrayBuffer())
        .then((bytes) => WebAssembly.instantiate(bytes, imports))
        .then(({instance, module}) => received(instance, module), () => fail());
      return {};
    };
  }
  document.body.appendChild(gauge);
  createSorato(where).then((loaded) => {
    game = loaded;
    note.hidden = true;
    frame();
    window.addEventListener('resize', fit);
    new ResizeObserver(() => { if (gauge.offsetHeight !== measured) fit(); }).observe(gauge);
    // A click on a button, or on a radio button (also when the arrow keys select it).
    host.addEventListener('click', (e) => {
      const t = e.target;
      if (t instanceof HTMLButtonElement || (t instanceof HTMLInputElement && t.type === 'radio')) {
        game._sorato_click(controlOf(t));
      }
    });
    // A press on a label: the button that went down, the keys held, where in the label.
    host.addEventListener('pointerdown', (e) => {
      if (e.pointerType === 'touch' && touch) {  // a second finger, wherever it lands
        clearTimeout(touch.timer);
        touch.gone = true;
        return;
      }
      const t = e.target;
      if (!t.classList.contains('label')) return;
      if (e.pointerType === 'touch') {
        touchDown(e, controlOf(t));
        return;
      }
      game._sorato_press(controlOf(t), e.button, e.shiftKey, e.ctrlKey, e.altKey, e.offsetX,
                         e.offsetY);
    });
    host.addEventListener('pointermove', touchMoved);
    for (const type of ['pointerup', 'pointercancel']) {
      host.addEventListener(type, (e) => touchUp(e));
    }
    // As on the desktop: a press on anything but a button leaves the focus where it is,
    // the right button opens no menu and the middle one starts no scrolling.
    host.addEventListener('mousedown', (e) => {
      if (e.button !== 0 || !e.target.closest('.button, .option')) e.preventDefault();
    });
    host.addEventListener('contextmenu', (e) => e.preventDefault());
    document.addEventListener('keydown', (e) => {
      const key = keys.indexOf(e.key);
      if (key < 0 || e.ctrlKey || e.altKey || e.metaKey) return;
      if (game._sorato_key(key, e.shiftKey, e.repeat)) e.preventDefault();
    });
    window.addEventListener('blur', () => game._sorato_active(0));
    window.addEventListener('focus', () => game._sorato_active(1));
    document.addEventListener('visibilitychange', () => {
      if (document.hidden) game._sorato_out_of_sight();
    });
  }, fail);

  // Offline once loaded: a service worker keeps the page's own files, nothing else.
  if (release && 'serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
