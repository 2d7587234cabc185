// Offline use: the service worker (service-worker.js, beside the page) keeps
// the site for visits without a network: the page's files and those of the
// build this browser runs, which it is told by name. Registered once the page
// has loaded, so that it takes nothing from the first screen. (Appended to
// each build's script by Emscripten's --post-js.)
if ('serviceWorker' in navigator) {
  const program = document.currentScript.src.replace(/^.*\//, '');
  const register = () => navigator.serviceWorker.register(`service-worker.js?program=${encodeURIComponent(program)}`)
    .catch((error) => console.error(`The site cannot be kept for use without a network: ${error}`));
  if (document.readyState === 'complete') register();
  else addEventListener('load', register);
}
