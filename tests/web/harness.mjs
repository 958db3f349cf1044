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

export async function serve(pageDir) {
  const served = [];
  const server = createServer(async (req, res) => {
    const path = new URL(req.url, 'http://x').pathname;
    served.push(path);
    const file = path.endsWith('/') ? path + 'index.html' : path;
    try {
      const body = await readFile(join(pageDir, file));
      res.writeHead(200, {'Content-Type': types[extname(file)] || 'application/octet-stream'});
      res.end(body);
    } catch {
      res.writeHead(404).end();
    }
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return {base: `http://127.0.0.1:${server.address().port}/`, served, close: () => server.close()};
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
