// Offline once loaded: the page's files are kept at install, the SoundFont when first played.
// A new build names a new cache (its version is written in by web/build.mjs) and drops the old.
const kVersion = '@VERSION@';
const kFiles = ['./', ...'@FILES@'.split(' ')];
const kCache = `kvat-${kVersion}`;
const kSoundCache = 'kvat-sound'; // the SoundFont outlives page versions: 6 MB fetched once

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const key of await caches.keys()) if (key !== kCache && key !== kSoundCache) await caches.delete(key);
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith((async () => {
    const kept = await caches.match(request, { ignoreSearch: true });
    if (kept) return kept;
    const response = await fetch(request);
    if (response.ok && request.url.endsWith('.sf2')) {
      const cache = await caches.open(kSoundCache);
      await cache.put(request, response.clone());
    }
    return response;
  })());
});
