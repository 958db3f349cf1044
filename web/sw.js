// Keeps the page's own files so that the game starts offline; fetches nothing else, and
// sends nothing anywhere.  The files are kept by release: every file of a page is asked
// for with its release (?r=...), so a page never runs files of two releases together,
// and a release is used only once all its files are kept.
'use strict';
const RELEASE = '@RELEASE@';  // written by the build: a hash of the page's files
const FILES = ['sorato.css', 'sorato.js', 'sorato.wasm', 'manifest.webmanifest',
               'icon-32.png', 'icon-64.png', 'icon-128.png', 'icon-256.png'];
const PREFIX = 'sorato-release-';
const scope = (path) => new URL(path, self.registration.scope).href;

// From the network, never from the browser's HTTP cache, which may still hold another
// release's files under the same names.
async function fetchFresh(url) {
  const response = await fetch(url, {cache: 'reload', credentials: 'same-origin'});
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return response;
}

// Keeps every file of a release, the page given or fetched; true once all are kept.  A
// release missing a file (the network dropped) is dropped, and tried again next time.
async function keep(release, page) {
  const name = PREFIX + release;
  const known = await caches.has(name);
  const cache = await caches.open(name);
  try {
    if (page || !(await cache.match(scope('./')))) {
      await cache.put(scope('./'), page || await fetchFresh(scope('./')));
    }
    for (const file of FILES) {
      const url = scope(`${file}?r=${release}`);
      if (!(await cache.match(url))) await cache.put(url, await fetchFresh(url));
    }
  } catch {
    if (!known) await caches.delete(name);
    return false;
  }
  // The release before stays, for a page that may still run it; older ones go.
  for (const old of (await releases()).slice(0, -2)) await caches.delete(old);
  return true;
}

// The caches of the releases kept, in the order they were made.
async function releases() {
  return (await caches.keys()).filter((n) => n.startsWith(PREFIX));
}

// The release kept last, whole.
async function keptRelease() {
  const kept = await releases();
  return kept.length > 0 ? kept[kept.length - 1].slice(PREFIX.length) : null;
}

// A visit: the newest release if it can be had whole within a few seconds, else the
// release kept last (the new one goes on being fetched, for the next visit).  The few
// seconds count from the visit's start: a network that answers nothing, or answers the
// page and then stalls, costs no more than one that has dropped.
const PATIENCE_MS = 4000;
async function visit(request, event) {
  const late = new Promise((done) => setTimeout(() => done(null), PATIENCE_MS));
  const asked = async () => {
    const response = await fetch(request.url, {cache: 'no-cache', credentials: 'same-origin'});
    const release = response.ok &&
        (await response.clone().text()).match(/name="sorato-release" content="(\w+)"/);
    return release && {response, release: release[1]};
  };
  try {
    const fresh = await Promise.race([asked(), late]);
    if (fresh) {
      const kept = keep(fresh.release, fresh.response.clone());
      event.waitUntil(kept);
      if (await Promise.race([kept, late])) return fresh.response;
    }
  } catch {
    // offline: the kept release
  }
  const kept = await keptRelease();
  const page = kept && await (await caches.open(PREFIX + kept)).match(scope('./'));
  return page || fetch(request);
}

self.addEventListener('install', (e) => {
  // A worker whose release cannot be kept whole is not installed: the browser tries
  // again at the next visit, and the release kept before goes on meanwhile.
  e.waitUntil(keep(RELEASE).then((whole) => {
    if (!whole) throw new Error('release not kept whole');
    return self.skipWaiting();
  }));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (e) => {
  const url = new URL(e.request.url);
  if (e.request.method !== 'GET' || url.origin !== self.location.origin) return;
  // The page itself, however the browser marks the request for it.
  const page = new URL(self.registration.scope).pathname;
  if (e.request.mode === 'navigate' || e.request.destination === 'document' ||
      url.pathname === page || url.pathname === `${page}index.html`) {
    e.respondWith(visit(e.request, e));
    return;
  }
  // A release's own file, kept under its exact address; the icons the manifest names
  // come from the release kept last.
  e.respondWith(caches.match(e.request).then(async (hit) => {
    if (hit) return hit;
    if (!url.search) {
      const kept = await keptRelease();
      const file = kept && await caches.match(`${url.origin}${url.pathname}?r=${kept}`);
      if (file) return file;
    }
    return fetch(e.request);
  }));
});
