// What the page's tests and its benchmark share: the page's folder served on 127.0.0.1
// (a port of its own, every request recorded) and Debian's Chromium, started headless
// with no network of its own.
import {chromium} from 'playwright-core';
import {createServer} from 'node:http';
import {readFile} from 'node:fs/promises';
import {extname, join} from 'node:path';

const types = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
               '.wasm': 'application/wasm', '.png': 'image/png',
               '.webmanifest': 'application/manifest+json'};

// `probe`: a script served as /probe.js and put first into the page, to watch it from
// inside.  `down(true)` makes the host answer nothing, as when the network has dropped.
export async function serve(pageDir, {probe = null} = {}) {
  const served = [];
  let down = false;
  const server = createServer(async (req, res) => {
    const path = new URL(req.url, 'http://x').pathname;
    if (down) {
      req.socket.destroy();
      return;
    }
    served.push(path);
    if (probe && path === '/probe.js') {
      res.writeHead(200, {'Content-Type': types['.js']}).end(probe);
      return;
    }
    const file = path.endsWith('/') ? path + 'index.html' : path;
    try {
      let body = await readFile(join(pageDir, file));
      if (probe && extname(file) === '.html') {
        body = String(body).replace('<meta charset="utf-8">', '<meta charset="utf-8">\n<script src="probe.js"></script>');
      }
      res.writeHead(200, {'Content-Type': types[extname(file)] || 'application/octet-stream'});
      res.end(body);
    } catch {
      res.writeHead(404).end();
    }
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return {base: `http://127.0.0.1:${server.address().port}/`, served, close: () => server.close(),
          down: (on) => { down = on; }};
}

export function launch(env = undefined) {
  return chromium.launch({
    env,
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// Waits until the game has built its window (the page's own timers run on the page's
// clock, which a test may have installed: `tick` lets it run on).
export async function started(page, tick = async () => page.waitForTimeout(50)) {
  for (let i = 0; i < 200; i++) {
    if (await page.evaluate(() => Boolean(globalThis.soratoGame && document.getElementById('btnST')))) return;
    await tick();
  }
  throw new Error('the game did not start');
}
