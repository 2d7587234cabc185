// Starts the program with the build this browser can run, chosen before
// either is downloaded: WebAssembly with WebAssembly's own exceptions where
// the browser compiles such a module under the page's policy, and otherwise
// the fallback in plain JavaScript. Where neither starts (a file that cannot
// be loaded, a script the browser cannot run), the line above the window says
// so and the window takes no input: nothing looks alive that is not.
// make_page.mjs writes it into index.html, without its comments, with
// "{{program}}" filled in, and allows it in the page's policy by its hash.
(function () {
  var modern = false;
  try {
    // One function that catches an exception: (try catch_all end).
    modern = !!new WebAssembly.Module(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 4, 1, 96, 0, 0, 3, 2, 1, 0, 10, 8, 1, 6, 0, 6, 64, 25, 11, 11]));
  } catch (e) {}
  function failed() {
    document.getElementById('cannot-run').hidden = false;
    var inputs = document.querySelectorAll('main input');
    for (var i = 0; i < inputs.length; ++i) inputs[i].disabled = true;
  }
  // Until main() has run, an error is the program's failure to start.
  addEventListener('error', failed);
  window.Module = { onAbort: failed, postRun: function () { removeEventListener('error', failed); } };
  var script = document.createElement('script');
  script.onerror = failed;
  script.src = modern ? '{{program}}.js' : '{{program}}-fallback.js';
  if (modern) {
    // The WebAssembly is fetched beside the script, not after it.
    var wasm = document.createElement('link');
    wasm.rel = 'preload';
    wasm.href = '{{program}}.wasm';
    wasm.as = 'fetch';
    wasm.type = 'application/wasm';
    wasm.crossOrigin = 'anonymous';
    document.head.appendChild(wasm);
  }
  document.body.appendChild(script);
})();
