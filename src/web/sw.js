// The site's service worker: after one visit the page plays with the network
// gone. Each build has a cache of its own, named from its files' contents, and
// a page is served from one cache only, so it never mixes two builds' files.
// The build fills in the names.
'use strict';
const CACHE = 'flames-@SITE_HASH@';
const FILES = '@SITE_FILES@'.split(' ');

// Revalidated, never taken stale from the HTTP cache: all of this build or nothing.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) =>
    cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' })))));
});

// A new build waits until no page of the old one is open, then drops its cache.
self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) =>
    Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name)))));
});

// The guide is kept as a reader visits it, not ahead, so that the animation's
// first visit stays light: its page names the files it uses.
self.addEventListener('message', (event) => {
  const own = (event.data.keep || []).filter((url) => new URL(url, self.location).origin === self.location.origin);
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(own)));
});

self.addEventListener('fetch', (event) => {
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
