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
      // The start waits for the pictures of the language it starts in.
      Module.quarvelHoldForStartLanguage(readKept("settings.cfg"));
      removeRunDependency("kept-files");
    });
  });

  function readKept(path) {
    try {
      return FS.readFile(keptPath(path), { encoding: "utf8" });
    } catch (error) {
      return "";
    }
  }

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

// Folders of the data that come in packages of their own (each language's
// pictures; the build lists them in Module.quarvelFolderPackages) are
// fetched only when wanted: when the game asks for one as it shows that
// language, and from the start for the language the game will start in.
// A package is two files beside the page, NAME.json (where each file lies
// in NAME.data) and NAME.data; its files are put in place all at once, only
// when both have arrived whole, so the game sees either all of them or none.
(function () {
  const READY = 0, COMING = 1, FAILED = 2;  // numbered as the engine's hgeFolderState
  const packages = Module.quarvelFolderPackages || {};
  const fetches = {};
  let filesystemReady = false;

  async function download(file, read) {
    const response = await fetch(file);
    if (!response.ok)
      throw new Error(file + ": " + response.status + " " + response.statusText);
    return read(response);
  }

  // Both files, checked against each other before anything is placed.
  async function fetchPackage(name) {
    const [list, data] = await Promise.all([
      download(name + ".json", (r) => r.json()),
      download(name + ".data", async (r) => new Uint8Array(await r.arrayBuffer())),
    ]);
    if (data.length !== list.remote_package_size)
      throw new Error(`${name}.data: ${data.length} bytes of ${list.remote_package_size}`);
    for (const file of list.files)
      if (!(file.start >= 0 && file.start <= file.end && file.end <= data.length) || !file.filename.startsWith("/"))
        throw new Error(`${name}.json: a file outside the package (${file.filename})`);
    return { list, data };
  }

  function failed(fetching, folder, error) {
    fetching.state = FAILED;
    console.error(`quarvel: ${folder} did not arrive (${error.message || error}); the game goes on without it`);
  }

  function place(fetching, folder) {
    try {
      for (const file of fetching.arrived.list.files) {
        FS.mkdirTree(file.filename.slice(0, file.filename.lastIndexOf("/")));
        FS.writeFile(file.filename, fetching.arrived.data.subarray(file.start, file.end));
      }
      fetching.state = READY;
    } catch (error) {
      failed(fetching, folder, error);
    }
    fetching.arrived = null;
  }

  function fetchFolder(folder) {
    if (fetches[folder])
      return fetches[folder];
    const fetching = fetches[folder] = { state: COMING, arrived: null };
    const name = packages[folder];
    if (!name) {
      // Nothing of it comes apart: what there is came with the rest.
      fetching.state = READY;
      fetching.settled = Promise.resolve();
      return fetching;
    }
    fetching.settled = fetchPackage(name).then((arrived) => {
      fetching.arrived = arrived;
      if (filesystemReady)
        place(fetching, folder);
    }, (error) => failed(fetching, folder, error));
    return fetching;
  }

  Module.quarvelFetchFolder = (folder) => fetchFolder(folder).state;

  // Language codes compare as the game compares them: "en-GB" is "en_gb".
  function folderOf(code) {
    const wanted = "data/lang/" + code.toLowerCase().replace(/-/g, "_");
    return Object.keys(packages).find((folder) => folder.toLowerCase().replace(/-/g, "_") === wanted);
  }

  // The package of the language a locale ("en-US", "pt-BR") names, if any.
  function folderOfLocale(locale) {
    const name = locale.split(/[.@]/)[0];
    return folderOf(name) || folderOf(name.split(/[-_]/)[0]);
  }

  // The game starts in the language kept in its settings when it still
  // offers it, else in the browser's.
  function startFolder(settings) {
    const kept = /^[ \t]*language[ \t]*=[ \t]*([^\s#]+)/im.exec(settings);
    if (kept && (kept[1].toLowerCase() === "ru" || folderOf(kept[1])))
      return folderOf(kept[1]);
    return folderOfLocale(navigator.language || "");
  }

  Module.quarvelHoldForStartLanguage = function (settings) {
    const folder = startFolder(settings);
    if (!folder)
      return;
    const fetching = fetchFolder(folder);
    addRunDependency("pictures " + folder);
    fetching.settled.then(() => removeRunDependency("pictures " + folder));
  };

  // A first visit in the browser's language fetches its pictures alongside
  // the rest of the data; settings kept from earlier may yet choose another.
  const guess = folderOfLocale(navigator.language || "");
  if (guess)
    fetchFolder(guess);

  Module.preRun = [].concat(Module.preRun || [], function () {
    filesystemReady = true;
    for (const folder in fetches)
      if (fetches[folder].arrived)
        place(fetches[folder], folder);
  });
})();
