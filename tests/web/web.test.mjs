// The browser version in headless Chromium: loading, failure messages,
// input, full screen, files kept across visits, and the way in from the
// splash to the first storey. Run by `./test.sh --web` after the build.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";

import { Browser } from "./browser.mjs";
import { serveFolder, serverAddress } from "../../tools/web/serve.mjs";

const Root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const Site = process.env.QUARVEL_WEB_SITE || path.join(Root, "build-web");
const Shots = path.join(Site, "test-shots");

const MODE_SPLASH = -1, MODE_MENU = 0, MODE_GAME = 2;
const STAGE_LEVEL_INTRO = 0, STAGE_PLAY = 2;

let browser, server, address;

before(async () => {
  assert.ok(fs.existsSync(path.join(Site, "quarvel.wasm")), `no browser build in ${Site}`);
  fs.mkdirSync(Shots, { recursive: true });
  server = await serveFolder(Site);
  address = serverAddress(server);
  browser = await Browser.launch();
});

after(async () => {
  await browser?.close();
  server?.close();
});

async function openGame(options = {}) {
  const page = await browser.newPage(options.width, options.height, options.language);
  if (options.startScript)
    await page.addStartScript(options.startScript);
  await page.goto(options.address || address);
  return page;
}

// Whether the page's browser asks for English (the game then starts in it).
async function inEnglish(page) {
  return (await page.evaluate("navigator.language")).toLowerCase().startsWith("en");
}

async function gameRunning(page) {
  return page.waitFrames(1, 0);
}

// Mean brightness (0..255) of what the page shows, from a screenshot (a
// WebGL canvas cannot be read back once it has been shown).
async function pageBrightness(page, clip = undefined, keepAs = undefined) {
  const { data } = await page.send("Page.captureScreenshot", { format: "png", clip });
  if (keepAs)
    fs.writeFileSync(keepAs, Buffer.from(data, "base64"));
  return page.evaluate(`(async () => {
    const image = new Image();
    image.src = "data:image/png;base64,${data}";
    await image.decode();
    const c = document.createElement("canvas");
    c.width = 100; c.height = 74;
    const g = c.getContext("2d");
    g.drawImage(image, 0, 0, 100, 74);
    const d = g.getImageData(0, 0, 100, 74).data;
    let sum = 0;
    for (let i = 0; i < d.length; i += 4) sum += d[i] + d[i + 1] + d[i + 2];
    return sum / (d.length / 4) / 3;
  })()`);
}

describe("Loading the page", () => {
  test("a bar shows the data arriving, then the game runs without errors", async (t) => {
    const page = await browser.newPage();
    // Slow enough on loopback that the bar is seen part way.
    await page.send("Network.emulateNetworkConditions",
      { offline: false, latency: 0, downloadThroughput: 4e6, uploadThroughput: 4e6 });
    await page.goto(address);
    const partWay = await page.waitFor(`(() => {
      const w = parseFloat(document.getElementById('progress').style.width);
      return w > 0 && w < 100 && w; })()`, "the loading bar part way");
    t.diagnostic(`loading bar seen at ${partWay.toFixed(0)}%`);
    await gameRunning(page);
    assert.equal(await page.evaluate("getComputedStyle(document.getElementById('loading')).display"), "none");
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("first picture time and frame time are reported", async (t) => {
    const page = await openGame();
    const probe = await page.waitFrames(120, 0);
    const firstFrameMs = await page.evaluate("Module.quarvelFirstFrameAt");
    const sizes = ["quarvel.js", "quarvel.wasm", "quarvel.data", "index.html"]
      .map((f) => fs.statSync(path.join(Site, f)).size);
    t.diagnostic(`first picture ${firstFrameMs.toFixed(0)} ms after the page started loading`);
    t.diagnostic(`download ${(sizes.reduce((a, b) => a + b) / 1e6).toFixed(1)} MB ` +
                 `(js, wasm, data, page: ${sizes.map((s) => (s / 1e6).toFixed(2)).join(", ")} MB)`);
    const packages = fs.readdirSync(Site).filter((f) => /^quarvel-lang-.*\.data$/.test(f));
    t.diagnostic(`fetched for their language only: ${packages.map((f) =>
      `${f} ${(fs.statSync(path.join(Site, f)).size / 1e6).toFixed(2)} MB`).join(", ")}`);
    t.diagnostic(`frame: update ${(probe.updateMean * 1000).toFixed(2)} ms, ` +
                 `drawing ${(probe.renderMean * 1000).toFixed(2)} ms on average over ${probe.frames} frames`);
    assert.ok(firstFrameMs > 0);
    await page.close();
  });

  test("a failed download of the data shows a readable message instead of a blank page", async () => {
    const broken = await serveFolder(Site, { missing: ["quarvel.data"] });
    const page = await openGame({ address: serverAddress(broken) });
    const text = await page.waitFor(`(() => { const m = document.getElementById('message');
      return getComputedStyle(m).display !== 'none' && m.textContent; })()`, "the failure message");
    // Before the game runs, the page speaks the browser's language.
    const english = await inEnglish(page);
    assert.match(text, english ? /could not be loaded/ : /Не удалось загрузить игру/);
    assert.match(text, english ? /reload the page/ : /обновите страницу/);
    assert.equal(await page.evaluate("getComputedStyle(document.getElementById('canvas')).display"), "none");
    await page.close();
    broken.close();
  });

  test("a missing game program shows the same message", async () => {
    const broken = await serveFolder(Site, { missing: ["quarvel.wasm"] });
    const page = await openGame({ address: serverAddress(broken) });
    const text = await page.waitFor(`(() => { const m = document.getElementById('message');
      return getComputedStyle(m).display !== 'none' && m.textContent; })()`, "the failure message");
    assert.match(text, await inEnglish(page) ? /could not be loaded/ : /Не удалось загрузить игру/);
    await page.close();
    broken.close();
  });
});

describe("The picture on the page", () => {
  test("keeps 800:590 at any window shape, centred, black around it", async () => {
    for (const [w, h] of [[1000, 900], [1400, 600]]) {
      const page = await openGame({ width: w, height: h });
      await gameRunning(page);
      const r = await page.evaluate(`(() => { const c = document.getElementById('canvas');
        const r = c.getBoundingClientRect(); return [r.left, r.top, r.width, r.height, c.width, c.height,
        getComputedStyle(document.body).backgroundColor]; })()`);
      const [left, top, width, height, backW, backH, background] = r;
      assert.ok(Math.abs(width / height - 800 / 590) < 0.01, `${w}x${h}: ${width}x${height}`);
      assert.ok(Math.abs(width - w) < 1 || Math.abs(height - h) < 1, `${w}x${h}: fills one way`);
      assert.ok(Math.abs(left - (w - width) / 2) < 1 && Math.abs(top - (h - height) / 2) < 1);
      // The game draws its own 800 x 590 picture; the page scales it.
      assert.deepEqual([backW, backH], [800, 590]);
      assert.equal(background, "rgb(0, 0, 0)");
      await page.close();
    }
  });
});

describe("The storey in the browser", () => {
  // The showroom storey of developer mode is lit towards the bottom right of
  // the picture; scaled to a wider window that corner must still show it.
  test("the whole picture is scaled into the canvas", async () => {
    const page = await openGame({ width: 1200, height: 700,
      startScript: "window.Module = { preRun: [() => FS.writeFile('/kresk', '')] };" });
    await page.waitFrames(60, 0);
    assert.equal((await page.probe()).GameStage, STAGE_PLAY);
    const [x, y] = await page.pagePoint(730, 540);
    const [x2, y2] = await page.pagePoint(790, 580);
    assert.ok(await pageBrightness(page, { x, y, width: x2 - x, height: y2 - y, scale: 1 }) > 30,
      "the bottom right of the storey shows in the bottom right of the canvas");
    await page.screenshot(path.join(Shots, "showroom.png"));
    await page.close();
  });
});

describe("Input", () => {
  // Keys held and the mouse as the game reads them, through the probe.
  async function seen(page, check, what) {
    return page.waitFor(`(() => { const p = JSON.parse(Module.ccall('QuarvelProbe', 'string', [], []));
      return (${check})(p) && p; })()`, what);
  }

  test("keys are taken by their place on the keyboard, whatever the layout", async () => {
    const page = await openGame();
    await gameRunning(page);
    // W on a Russian layout types "ц".
    await page.key("keyDown", "KeyW", "ц", 87);
    await seen(page, "p => p.held.includes(87)", "W held");
    await page.key("keyUp", "KeyW", "ц", 87);
    await seen(page, "p => !p.held.includes(87)", "W released");
    await page.key("keyDown", "ShiftLeft", "Shift", 16);
    await seen(page, "p => p.held.includes(16)", "Shift held");
    await page.key("keyUp", "ShiftLeft", "Shift", 16);
    await page.close();
  });

  test("sound runs after the first key, and the game plays on", async () => {
    const page = await openGame();
    await gameRunning(page);
    assert.equal((await page.evaluate("Module.quarvelAudioStates()")).length, 1);
    await page.tap("KeyR", "r", 82);
    await page.waitFor("Module.quarvelAudioStates().every((s) => s === 'running')", "the sound running");
    await page.waitFrames(30);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("Escape reaches the game and the page does nothing with it", async () => {
    const page = await openGame();
    await gameRunning(page);
    await page.evaluate(`window.addEventListener('keydown', (e) => {
      if (e.code === 'Escape') window.escapePrevented = e.defaultPrevented; }); true`);
    await page.key("keyDown", "Escape", "Escape", 27);
    await seen(page, "p => p.held.includes(27)", "Escape held");
    assert.equal(await page.evaluate("window.escapePrevented"), true);
    await page.key("keyUp", "Escape", "Escape", 27);
    await page.close();
  });

  test("the mouse is scaled from the shown canvas to 800 x 590; both buttons, no context menu", async () => {
    const page = await openGame({ width: 1000, height: 900 });
    await gameRunning(page);
    for (const [px, py] of [[400, 295], [10, 580], [790, 5]]) {
      const [x, y] = await page.pagePoint(px, py);
      await page.mouse("mouseMoved", x, y);
      const p = await seen(page, `p => Math.abs(p.mouse[0] - ${px}) <= 1.5 && Math.abs(p.mouse[1] - ${py}) <= 1.5`,
        `mouse at ${px}, ${py}`);
      assert.ok(p);
    }
    await page.evaluate(`window.addEventListener('contextmenu', (e) => {
      window.menuPrevented = e.defaultPrevented; }); true`);
    const [x, y] = await page.pagePoint(400, 295);
    await page.mouse("mousePressed", x, y, "right", 1);
    await seen(page, "p => p.held.includes(2)", "right button held");
    await page.mouse("mouseReleased", x, y, "right", 1);
    await page.mouse("mousePressed", x, y, "left", 1);
    await seen(page, "p => p.held.includes(1) && !p.held.includes(2)", "left button held");
    await page.mouse("mouseReleased", x, y, "left", 1);
    assert.equal(await page.evaluate("window.menuPrevented"), true);
    await page.close();
  });

  test("Alt+Enter and a double click switch full screen on and off", async () => {
    const page = await openGame();
    await gameRunning(page);
    const full = "!!document.fullscreenElement";
    await page.key("keyDown", "AltLeft", "Alt", 18, 1);
    await page.key("keyDown", "Enter", "Enter", 13, 1);
    await page.waitFor(full, "full screen after Alt+Enter");
    await page.key("keyUp", "Enter", "Enter", 13, 1);
    await page.key("keyUp", "AltLeft", "Alt", 18);
    // Held or not, one press of the pair switches once.
    await page.waitFrames(10);
    assert.equal(await page.evaluate(full), true);
    const [x, y] = await page.pagePoint(400, 295);
    await page.mouse("mousePressed", x, y, "left", 1);
    await page.mouse("mouseReleased", x, y, "left", 1);
    await page.mouse("mousePressed", x, y, "left", 2);
    await page.mouse("mouseReleased", x, y, "left", 2);
    await page.waitFor(`!${full}`, "windowed after a double click");
    await page.close();
  });
});

describe("Files kept across visits", () => {
  test("a file the game writes is back in place after a reload, before the game starts", async () => {
    const page = await openGame();
    await gameRunning(page);
    const text = `kept ${Date.now()}\n`;
    const kept = await page.evaluate("Module.quarvelFilesKept");
    await page.evaluate(`FS.writeFile('/data/web-test-file', ${JSON.stringify(text)});
      Module.quarvelKeepFile('data/web-test-file'); true`);
    await page.waitFor(`Module.quarvelFilesKept > ${kept}`, "the file written out");
    await page.reload();
    await gameRunning(page);
    assert.equal(await page.evaluate("FS.readFile('/data/web-test-file', { encoding: 'utf8' })"), text);
    await page.close();
  });
});

describe("The way in", () => {
  test("the splash fades in, and a key leads to the menu", async () => {
    const page = await openGame();
    await gameRunning(page);
    // The splash fades in over its first second and stays for two more.
    let splashSeen = false;
    while (!splashSeen && (await page.probe()).GameMode === MODE_SPLASH) {
      splashSeen = await pageBrightness(page, undefined, path.join(Shots, "splash.png")) > 8 &&
                   (await page.probe()).GameMode === MODE_SPLASH;
    }
    assert.ok(splashSeen, "the splash picture shows");
    await page.tap("Space", " ", 32);
    assert.equal((await page.probe()).GameMode, MODE_MENU);
    assert.equal((await page.probe()).Language, await inEnglish(page) ? "en" : "ru",
      "a first visit follows the browser's language");
    await page.waitFrames(5);
    assert.ok(await pageBrightness(page) > 8, "the menu picture shows");
    await page.screenshot(path.join(Shots, "menu.png"));
    await page.close();
  });

  test("New game leads to the first storey's intro", async () => {
    const page = await openGame();
    await gameRunning(page);
    await page.tap("Space", " ", 32);
    await page.click(100, 380);  // New game
    await page.waitFor("JSON.parse(Module.ccall('QuarvelProbe', 'string', [], [])).GameMode === 2",
      "the campaign started");
    const p = await page.probe();
    assert.equal(p.GameStage, STAGE_LEVEL_INTRO);
    assert.equal(p.StoreyNumber, 1);
    await page.waitFrames(5);
    await page.screenshot(path.join(Shots, "intro.png"));
    assert.deepEqual(page.dialogs, []);
    await page.close();
  });

  // Storey 1 takes no checkpoint, so the game starts from a save file of a
  // player who has reached storey 2 (put in place on the first load only).
  test("a game saved from play is still there after a reload", async () => {
    const seed = fs.readFileSync(path.join(Root, "tests/web/save-storey-2-checkpoint"), "latin1");
    const page = await openGame({ startScript: `if (!sessionStorage.getItem("seeded")) {
      sessionStorage.setItem("seeded", "1");
      window.Module = { preRun: [() => FS.writeFile("/data/save", ${JSON.stringify(seed)})] };
    }` });
    await gameRunning(page);
    assert.equal((await page.probe()).CheckpointHealth, 20);
    await page.tap("Space", " ", 32);   // splash to the menu
    await page.click(100, 460);         // Continue
    assert.equal((await page.probe()).StoreyNumber, 2);
    // Intro, dialogue and shop, each left with Space.
    for (let i = 0; i < 8 && (await page.probe()).GameStage !== STAGE_PLAY; i++)
      await page.tap("Space", " ", 32);
    const inPlay = await page.probe();
    assert.equal(inPlay.GameStage, STAGE_PLAY);
    await page.waitFrames(30);
    await page.screenshot(path.join(Shots, "play.png"));
    await page.tap("Escape", "Escape", 27);
    assert.equal((await page.probe()).GameMode, MODE_MENU);
    // Escape in the menu leaves the game, writing the save; the page says so.
    await page.key("keyDown", "Escape", "Escape", 27);
    await page.waitFor("/Игра окончена|The game has ended/.test(document.getElementById('message').textContent)",
      "the page's note that the game has ended, in the game's language");
    await page.key("keyUp", "Escape", "Escape", 27);
    await page.waitFor("Module.quarvelFilesKept > 0", "the save written out");
    const save = await page.evaluate("Array.from(FS.readFile('/data/save'))");
    await page.reload();
    await gameRunning(page);
    assert.deepEqual(await page.evaluate("Array.from(FS.readFile('/data/save'))"), save);
    const after = await page.probe();
    assert.equal(after.CheckpointHealth, inPlay.CheckpointHealth);
    assert.equal(after.CheckpointStep, inPlay.CheckpointStep);
    assert.equal(after.CheckpointStep, 3);
    await page.close();
  });
});

describe("A language's pictures", () => {
  const EnglishPackage = /quarvel-lang-en\.(data|json)$/;

  // On an address of its own, whose kept settings no other test shares,
  // at the menu.
  async function atMenu(language, serving = {}) {
    const server = await serveFolder(Site, serving);
    const page = await openGame({ address: serverAddress(server), language });
    await gameRunning(page);
    await page.tap("Space", " ", 32);
    return { page, server };
  }

  async function leave({ page, server }) {
    await page.send("Storage.clearDataForOrigin",
      { origin: new URL(serverAddress(server)).origin, storageTypes: "all" });
    await page.close();
    server.close();
  }

  test("come with the start in English; in Russian only once the player switches to English", async () => {
    const english = await atMenu("en-US");
    assert.deepEqual(await english.page.evaluate("[Module.quarvelFolderPackages['data/lang/en'], " +
      "Module.quarvelFetchFolder('data/lang/en')]"), ["quarvel-lang-en", 0], "in place before the game ran");
    const shown = await english.page.probe();
    assert.equal(shown.Language, "en");
    assert.equal(shown.MenuPicture, "data/lang/en/Menu.png");
    await english.page.screenshot(path.join(Shots, "menu-english-browser.png"));
    await leave(english);

    const russian = await atMenu("ru-RU");
    assert.deepEqual((({ Language, MenuPicture }) => [Language, MenuPicture])(await russian.page.probe()),
      ["ru", "data/Menu.png"]);
    assert.ok(!russian.page.requests.some((url) => EnglishPackage.test(url)), russian.page.requests.join(" "));
    await russian.page.screenshot(path.join(Shots, "menu-russian-browser.png"));
    await russian.page.click(600, 30);  // the RU/EN switch
    assert.equal((await russian.page.probe()).Language, "en");
    await russian.page.waitFor("JSON.parse(Module.ccall('QuarvelProbe', 'string', [], [])).MenuPicture === " +
      "'data/lang/en/Menu.png'", "the English menu picture after the switch");
    assert.ok(russian.page.requests.some((url) => EnglishPackage.test(url)));
    await russian.page.waitFrames(2);
    await russian.page.screenshot(path.join(Shots, "menu-switched-to-english.png"));
    assert.deepEqual(russian.page.errors, []);
    await leave(russian);
  });

  test("a package that does not arrive leaves the Russian pictures and says so once", async () => {
    const english = await atMenu("en-US", { missing: ["quarvel-lang-en.data"] });
    const shown = await english.page.probe();
    assert.equal(shown.Language, "en", "the texts are English all the same");
    assert.equal(shown.MenuPicture, "data/Menu.png");
    assert.equal(english.page.console.filter((line) => line.includes("data/lang/en")).length, 1,
      english.page.console.join(" | "));
    assert.deepEqual(english.page.errors, []);
    await leave(english);
  });
});
