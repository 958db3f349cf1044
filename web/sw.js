// Keeps the page's own files so that the game starts offline; fetches nothing else,
// and sends nothing anywhere.
'use strict';
const CACHE = 'sorato-1';
const FILES = ['./', 'index.html', 'sorato.css', 'page.js', 'sorato.js', 'sorato.wasm',
               'manifest.webmanifest', 'icon-32.png', 'icon-64.png', 'icon-128.png',
               'icon-256.png'];

self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(CACHE).then((c) => c.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
      .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (e) => {
  const url = new URL(e.request.url);
  if (e.request.method !== 'GET' || url.origin !== self.location.origin) return;
  e.respondWith(caches.match(e.request, {ignoreSearch: true})
      .then((hit) => hit || fetch(e.request)));
});
