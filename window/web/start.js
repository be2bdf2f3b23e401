// The page is drawn from its HTML alone; its code starts once that picture is on the screen, so
// compiling the code never holds the first picture back, nor competes with drawing it. The wasm
// is handed to the module as bytes (nothing is fetched, which the page's policy forbids), and then
// the code leaves the DOM.
(function () {
  var started = false;
  function start() {
    if (started) {
      return;
    }
    started = true;
    var wasm = document.getElementById('wasm');
    var bytes = atob(wasm.textContent);
    Module.wasmBinary = new Uint8Array(bytes.length);
    for (var i = 0; i < bytes.length; ++i) {
      Module.wasmBinary[i] = bytes.charCodeAt(i);
    }
    wasm.remove();
    var code = document.getElementById('code');
    var script = document.createElement('script');
    script.textContent = code.textContent;
    code.remove();
    document.body.append(script);
    script.remove();
  }
  var types = window.PerformanceObserver && PerformanceObserver.supportedEntryTypes;
  if (types && types.indexOf('paint') >= 0) {
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
})();
