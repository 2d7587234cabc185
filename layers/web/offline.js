// Offline use: the service worker (service-worker.js, beside the page) keeps
// the site for visits without a network. Registered once the page has
// loaded, so that it takes nothing from the first screen. (Appended to the
// program's script by Emscripten's --post-js.)
if ('serviceWorker' in navigator) {
  addEventListener('load', () => {
    navigator.serviceWorker.register('service-worker.js')
      .catch((error) => console.error(`The site cannot be kept for use without a network: ${error}`));
  });
}
