// What the page's tests and benchmarks share: the page's folder served on 127.0.0.1
// (a port of its own, every request recorded) and Debian's Chromium, started headless
// with no network of its own.
import {chromium} from 'playwright-core';
import {createServer} from 'node:http';
import {readFile} from 'node:fs/promises';
import {extname, join} from 'node:path';
import {gzipSync} from 'node:zlib';

const types = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
               '.wasm': 'application/wasm', '.png': 'image/png',
               '.webmanifest': 'application/manifest+json'};

const compressible = new Set(['.html', '.js', '.css', '.wasm', '.webmanifest']);

// The host, with what a test may ask of it:
// - `probe`: a script served as /probe.js and put first into the page, to watch it from
//   inside;
// - `headers`: sent with every answer (say, `Cache-Control`);
// - `gzip`: text and WebAssembly sent compressed to a browser that takes it;
// and, on the host returned: `dir` (the folder served, which may be swapped), `down(true)`
// (it answers nothing, as when the network has dropped), `hang(true)` (it takes requests
// and answers none, until `hang(false)` drops them), `failing` (a part of a file's name:
// those connections drop), `sent` (the bytes of the bodies sent).
export async function serve(pageDir, {probe = null, headers = {}, gzip = false} = {}) {
  const host = {dir: pageDir, served: [], failing: null, sent: 0};
  let down = false;
  let held = null;  // the requests a hanging host holds
  const server = createServer(async (req, res) => {
    const path = new URL(req.url, 'http://x').pathname;
    if (down || (host.failing && path.includes(host.failing))) {
      req.socket.destroy();
      return;
    }
    if (held) return void held.push(req.socket);
    host.served.push(path);
    if (probe && path === '/probe.js') {
      res.writeHead(200, {'Content-Type': types['.js'], ...headers}).end(probe);
      return;
    }
    const file = path.endsWith('/') ? path + 'index.html' : path;
    try {
      let body = await readFile(join(host.dir, file));
      if (probe && extname(file) === '.html') {
        body = String(body).replace('<meta charset="utf-8">', '<meta charset="utf-8">\n<script src="probe.js"></script>');
      }
      const answer = {'Content-Type': types[extname(file)] || 'application/octet-stream', ...headers};
      if (gzip && compressible.has(extname(file)) && /gzip/.test(req.headers['accept-encoding'] || '')) {
        body = gzipSync(body, {level: 9});
        answer['Content-Encoding'] = 'gzip';
      }
      host.sent += body.length;
      res.writeHead(200, answer).end(body);
    } catch {
      res.writeHead(404, headers).end();
    }
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return Object.assign(host, {base: `http://127.0.0.1:${server.address().port}/`,
                              close: () => server.close(), down: (on) => { down = on; },
                              hang: (on) => { (held || []).forEach((s) => s.destroy()); held = on ? [] : null; }});
}

export function launch(env = undefined, more = []) {
  return chromium.launch({
    env,
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync', ...more],
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
