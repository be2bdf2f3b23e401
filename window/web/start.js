// The page is drawn from its HTML alone; its code starts once the browser has painted that, so
// compiling the code never holds the first picture back. Then the code leaves the DOM.
requestAnimationFrame(function () {
  setTimeout(function () {
    var code = document.getElementById('code');
    var script = document.createElement('script');
    script.textContent = code.textContent;
    code.remove();
    document.body.append(script);
    script.remove();
  });
});
