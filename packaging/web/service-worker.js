// Keeps every file of the site in the browser's cache on the first visit and
// answers from there, so the book opens with no network at all. A new build
// (another version in site-files.js) fills a new cache and drops the old one.
importScripts('site-files.js');
var files = self.QUILLMEAD_FILES;
var cacheName = 'quillmead-' + files.version;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(cacheName).then(function (cache) {
    return cache.addAll(files.site.concat(files.archives));
  }).then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('quillmead-') === 0 && name !== cacheName;
    }).map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

// The cache first (the same site only); what it lacks comes from the network.
self.addEventListener('fetch', function (event) {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(cacheName).then(function (cache) {
    return cache.match(event.request, { ignoreSearch: true }).then(function (hit) {
      return hit || fetch(event.request);
    });
  }));
});
