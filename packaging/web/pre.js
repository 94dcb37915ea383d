// Runs in the page before the program starts (linked in front of quillmead.js):
// the book's folder is brought back from the site's IndexedDB, and the
// archives are fetched from beside index.html into the program's memory.
// site-files.js (loaded first by index.html) names the archives.
Module['arguments'] = ['--data', '/data'];
Module['preRun'] = (Module['preRun'] || []).concat(function () {
  // The settings folder of the desktop's rules (XDG_DATA_HOME), kept in IndexedDB.
  ENV['XDG_DATA_HOME'] = '/book';
  // The program's QUILLMEAD_* switches, from the address (?QUILLMEAD_WHOLE_FRAMES=1).
  new URLSearchParams(location.search).forEach(function (value, name) {
    if (name.indexOf('QUILLMEAD_') === 0) ENV[name] = value;
  });
  FS.mkdir('/book');
  FS.mount(IDBFS, {}, '/book');
  addRunDependency('quillmead-book');
  FS.syncfs(true, function (err) {
    if (err) {
      Module['storageError'] = String(err);
      console.error('quillmead: the book kept in this browser could not be read: ' + err);
    }
    removeRunDependency('quillmead-book');
  });
  FS.mkdir('/data');
  self.QUILLMEAD_FILES.archives.forEach(function (name) {
    var dependency = 'quillmead-archive ' + name;
    addRunDependency(dependency);
    fetch(name).then(function (response) {
      if (!response.ok) throw new Error('HTTP ' + response.status);
      return response.arrayBuffer();
    }).then(function (bytes) {
      FS.writeFile('/data/' + name, new Uint8Array(bytes));
      removeRunDependency(dependency);
    }).catch(function (err) {
      // The program then says which archive is missing and stops.
      console.error('quillmead: ' + name + ' could not be fetched: ' + err);
      removeRunDependency(dependency);
    });
  });
});

// Copies the book's folder to IndexedDB; a copy asked for while one runs
// follows it, so the last state always reaches storage.
(function () {
  var copying = false, again = false;
  Module['persistAsked'] = 0;  // copies asked for (tests read both)
  Module['persistCount'] = 0;  // copies finished
  Module['quillmeadPersist'] = function () {
    Module['persistAsked']++;
    if (copying) { again = true; return; }
    copying = true;
    FS.syncfs(false, function (err) {
      copying = false;
      if (err) {
        Module['storageError'] = String(err);
        console.error('quillmead: the book could not be kept in this browser: ' + err);
      } else {
        Module['persistCount']++;
      }
      if (again) { again = false; Module['quillmeadPersist'](); }
    });
  };
  // A page hidden or closed writes the latest paintings and keeps them.
  function keep() {
    if (typeof FS === 'undefined' || !Module['calledRun']) return;
    if (Module['_quillmeadPageHidden']) Module['_quillmeadPageHidden']();
    Module['quillmeadPersist']();
  }
  addEventListener('pagehide', keep);
  document.addEventListener('visibilitychange', function () { if (document.visibilityState === 'hidden') keep(); });
})();
