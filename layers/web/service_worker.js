// The site for visits without a network. The first visit keeps the site's
// files in a cache named after their contents: the page's own, and of the
// two builds of the program only the one this browser runs (the page names
// it when it registers this worker; all of them when it does not). A page is
// then served from the network while there is one, so an updated site is in
// use at once, and from the cache while there is none. Another build gives
// this file another version: the browser installs it on the next visit, its
// cache replaces the old one, and no old site is kept.
// (make_service_worker.mjs fills in the version and the files.)
const version = {{version}};
const shared = {{shared}};
const programs = {{programs}};
// One cache per site and version: the scope keeps sites on the same origin apart.
const prefix = `${self.registration.scope} `;
const cacheName = prefix + version;
const program = new URL(self.location.href).searchParams.get('program');
const files = shared.concat(programs[program] || [].concat(...Object.values(programs)));

self.addEventListener('install', (event) => {
  event.waitUntil(
    caches.open(cacheName)
      .then((cache) => cache.addAll(files))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name.startsWith(prefix) && name !== cacheName)
        .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    fetch(event.request).catch(async (failure) => {
      const kept = await caches.match(event.request, { cacheName, ignoreSearch: true });
      if (kept) return kept;
      throw failure;
    }),
  );
});
