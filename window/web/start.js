// The page is drawn from its HTML alone. Its widgets (page.js) start once that picture is on the
// screen, and the quiz's code once the whole page is there, so that compiling neither holds the
// first picture back nor competes with drawing it. What the user does before the widgets run is
// kept for them. The wasm is handed to the module as bytes (nothing is fetched, which the page's
// policy forbids); both scripts then leave the DOM.
(function () {
  var kept = [];
  var types = ['click', 'keydown'];
  function keep(event) {
    kept.push(event);
  }
  types.forEach(function (type) { document.addEventListener(type, keep, true); });

  function run(id) {
    var source = document.getElementById(id);
    var script = document.createElement('script');
    script.textContent = source.textContent;
    source.remove();
    document.body.append(script);
    script.remove();
  }

  function startCode() {
    var wasm = document.getElementById('wasm');
    var bytes = atob(wasm.textContent);
    Module.wasmBinary = new Uint8Array(bytes.length);
    for (var i = 0; i < bytes.length; ++i) {
      Module.wasmBinary[i] = bytes.charCodeAt(i);
    }
    wasm.remove();
    run('code');
  }

  var started = false;
  function start() {
    if (started) {
      return;
    }
    started = true;
    types.forEach(function (type) { document.removeEventListener(type, keep, true); });
    run('page');
    bitkiPage.replay(kept);
    if (document.readyState === 'loading') {
      document.addEventListener('DOMContentLoaded', function () { setTimeout(startCode); });
    } else {
      setTimeout(startCode);
    }
  }

  var paints = window.PerformanceObserver && PerformanceObserver.supportedEntryTypes;
  if (paints && paints.indexOf('paint') >= 0) {
    new PerformanceObserver(function (list, observer) {
      if (list.getEntriesByName('first-contentful-paint').length) {
        observer.disconnect();
        setTimeout(start);
      }
    }).observe({type: 'paint', buffered: true});
    // A page opened in a tab out of sight paints nothing until it is looked at.
    setTimeout(start, 500);
  } else {
    requestAnimationFrame(function () { setTimeout(start); });
  }

  // From a web site, the quiz can go on the home screen and open offline: the release's folder
  // holds the manifest, the icons and the worker that the page's "site" template names. Where they
  // are missing (the page copied alone), nothing is lost but that. The links go in while the page
  // is still parsing, since WebKit reads a page's icons once, before it has loaded; the worker
  // waits for the load. From disk the page asks for nothing at all.
  if (/^https?:$/.test(location.protocol)) {
    var site = document.getElementById('site');
    document.head.append(site.content);
    window.addEventListener('load', function () {
      if (navigator.serviceWorker) {
        navigator.serviceWorker.register(site.dataset.worker).catch(function () {});
      }
    });
  }
})();
