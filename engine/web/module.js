// Runs inside quarvel.js before the game starts. Files the game writes (the
// save file) are copied into /keep, a folder kept in the browser's IndexedDB,
// and written out at once; at the next visit they are put back in place
// before the game reads them.
(function () {
  const KeepRoot = "/keep";
  let syncing = false;
  let syncAgain = false;
  Module.quarvelFilesKept = 0;

  function keptPath(path) {
    const absolute = path.startsWith("/") ? path : FS.cwd().replace(/\/$/, "") + "/" + path;
    return KeepRoot + absolute;
  }

  function makeFolders(path) {
    const parts = path.split("/").slice(1, -1);
    let folder = "";
    for (const part of parts) {
      folder += "/" + part;
      if (!FS.analyzePath(folder).exists)
        FS.mkdir(folder);
    }
  }

  // One write-out at a time; a write that arrives meanwhile is written by a
  // second round, so the last state always reaches the storage.
  function writeOut() {
    if (syncing) {
      syncAgain = true;
      return;
    }
    syncing = true;
    FS.syncfs(false, (error) => {
      syncing = false;
      if (error)
        console.error("quarvel: the save could not be kept: " + error);
      else
        Module.quarvelFilesKept++;
      if (syncAgain) {
        syncAgain = false;
        writeOut();
      }
    });
  }

  Module.quarvelKeepFile = function (path) {
    const target = keptPath(path);
    makeFolders(target);
    FS.writeFile(target, FS.readFile(path));
    writeOut();
  };

  function restore(folder) {
    for (const name of FS.readdir(folder)) {
      if (name === "." || name === "..")
        continue;
      const path = folder + "/" + name;
      const place = path.slice(KeepRoot.length);
      if (FS.isDir(FS.stat(path).mode)) {
        if (!FS.analyzePath(place).exists)
          FS.mkdir(place);
        restore(path);
      } else {
        FS.writeFile(place, FS.readFile(path));
      }
    }
  }

  Module.preRun = [].concat(Module.preRun || [], function () {
    FS.mkdir(KeepRoot);
    FS.mount(IDBFS, {}, KeepRoot);
    addRunDependency("kept-files");
    FS.syncfs(true, (error) => {
      if (error)
        console.error("quarvel: saved games could not be read: " + error);
      removeRunDependency("kept-files");
    });
  });

  const pageReady = Module.onRuntimeInitialized;
  Module.onRuntimeInitialized = function () {
    restore(KeepRoot);
    if (pageReady)
      pageReady();
  };

  // Called when the page closes, after the game's exit callback has written
  // its save file (the engine adds it behind SDL's own listener).
  Module.quarvelWriteOut = writeOut;
})();
