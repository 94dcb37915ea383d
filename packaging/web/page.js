// The page around the program: its canvas sized to the window before the
// program asks for the desktop's size, and the service worker that keeps the
// whole site for visits without a network.
var Module = {
  canvas: document.getElementById('canvas'),
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
};
(function () {
  var canvas = Module.canvas;
  canvas.width = Math.max(1, Math.round(window.innerWidth));
  canvas.height = Math.max(1, Math.round(window.innerHeight));
  canvas.focus();
  // A long press is a paint stroke, not a menu.
  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('service-worker.js').catch(function (err) {
      console.warn('quillmead: no offline copy: ' + err);
    });
  }
})();
