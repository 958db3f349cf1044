// The three browser engines people use, each driven by its own tool and pointed at the
// system's browser: Chromium (playwright-core), Firefox (puppeteer-core over WebDriver
// BiDi) and WebKit (WebKitGTK's MiniBrowser under WebKitWebDriver, by selenium-webdriver,
// on an X server of its own).  One profile a browser, kept across tabs, so that a
// service worker and its cache live on from one visit to the next.
//   engine(name, {width, height}) -> {open(url) -> tab, close()}
//   tab: {evaluate(fn, arg), poll(fn, timeoutMs) -> the first non-null result or null,
//         close()}
import {spawn} from 'node:child_process';
import {mkdtemp, readFile, rm} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {launch} from './harness.mjs';

const pause = (ms) => new Promise((done) => setTimeout(done, ms));

async function poll(evaluate, fn, timeoutMs) {
  const until = Date.now() + timeoutMs;
  for (;;) {
    const value = await evaluate(fn).catch(() => null);
    if (value !== null && value !== undefined) return value;
    if (Date.now() > until) return null;
    await pause(100);
  }
}

async function chromium({width, height}) {
  const browser = await launch();
  const context = await browser.newContext({viewport: {width, height}});
  return {
    async open(url) {
      const page = await context.newPage();
      await page.goto(url);
      const evaluate = (fn, arg) => page.evaluate(fn, arg);
      return {evaluate, poll: (fn, ms) => poll(evaluate, fn, ms), close: () => page.close(),
              page};
    },
    close: () => browser.close(),
  };
}

async function firefox({width, height}) {
  const puppeteer = (await import('puppeteer-core')).default;
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
    args: [`--width=${width}`, `--height=${height}`], defaultViewport: {width, height},
  });
  return {
    async open(url) {
      const page = await browser.newPage();
      await page.goto(url);
      const evaluate = (fn, arg) => page.evaluate(fn, arg);
      return {evaluate, poll: (fn, ms) => poll(evaluate, fn, ms), close: () => page.close(),
              page};
    },
    close: () => browser.close(),
  };
}

// An X server on the first free display, and WebKitWebDriver on a free port.
async function startProcess(command, args, env, ready) {
  const child = spawn(command, args, {env, stdio: ['ignore', 'pipe', 'pipe']});
  let out = '';
  child.stdout.on('data', (d) => { out += d; });
  child.stderr.on('data', (d) => { out += d; });
  const until = Date.now() + 15000;
  while (!(await ready(out))) {
    if (Date.now() > until || child.exitCode !== null) throw new Error(`${command} did not start: ${out}`);
    await pause(50);
  }
  return child;
}

async function webkit({width, height}) {
  const {Builder} = await import('selenium-webdriver');
  const dir = await mkdtemp(join(tmpdir(), 'sorato-webkit-'));
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1920x1200x24', '-nolisten', 'tcp'],
                     {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  let display = '';
  xvfb.stdio[3].on('data', (d) => { display += d; });
  for (let i = 0; i < 200 && !display.includes('\n'); i++) await pause(50);
  const env = {...process.env, DISPLAY: `:${display.trim()}`, HOME: dir};
  const port = 4400 + Math.floor(Math.random() * 1000);
  const server = await startProcess('WebKitWebDriver', [`--port=${port}`], env, async () => {
    try { return (await fetch(`http://127.0.0.1:${port}/status`)).ok; } catch { return false; }
  });
  const driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
    'browserName': 'MiniBrowser',
    'webkitgtk:browserOptions': {
      binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'],
    },
  }).build();
  // MiniBrowser's window has a 38-pixel header above the page.
  await driver.manage().window().setRect({x: 0, y: 0, width, height: height + 38});
  const evaluate = (fn, arg) => driver.executeScript(`return (${fn})(arguments[0]);`, arg);
  return {
    async open(url) {
      await driver.get(url);
      return {evaluate, poll: (fn, ms) => poll(evaluate, fn, ms),
              close: () => driver.get('about:blank'), driver};
    },
    async close() {
      await driver.quit().catch(() => {});
      server.kill();
      xvfb.kill();
      await rm(dir, {recursive: true, force: true});
    },
  };
}

const engines = {chromium, firefox, webkit};
export const engineNames = Object.keys(engines);
export function engine(name, size = {width: 1000, height: 700}) {
  if (!engines[name]) throw new Error(`no engine ${name}`);
  return engines[name](size);
}
