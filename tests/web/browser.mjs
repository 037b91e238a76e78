// Headless Chromium driven through the DevTools protocol over a pipe (no
// network port, no packages): a page to load, read, type into, click and
// photograph. Waits are on conditions the page reports, bounded by a limit.
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const ChromiumFlags = [
  "--headless=new", "--no-sandbox", "--enable-unsafe-swiftshader", "--remote-debugging-pipe",
  "--no-first-run", "--no-default-browser-check", "--disable-background-networking",
  "--disable-component-update", "--disable-sync", "--disable-quic", "--mute-audio",
  "--disable-renderer-backgrounding", "--disable-background-timer-throttling",
  "--disable-backgrounding-occluded-windows",
];

export class Browser {
  static async launch() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "quarvel-chromium-"));
    const proc = spawn(process.env.QUARVEL_CHROMIUM || "/usr/bin/chromium",
      [...ChromiumFlags, `--user-data-dir=${profile}`, "about:blank"],
      { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"] });
    const browser = new Browser(proc, profile);
    await browser.send("Target.setDiscoverTargets", { discover: false });
    return browser;
  }

  constructor(proc, profile) {
    this.proc = proc;
    this.profile = profile;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    this.stderr = "";
    let buffered = "";
    proc.stderr.on("data", (d) => { this.stderr = (this.stderr + d).slice(-4000); });
    proc.stdio[4].on("data", (chunk) => {
      buffered += chunk.toString("utf8");
      let end;
      while ((end = buffered.indexOf("\0")) >= 0) {
        this.receive(JSON.parse(buffered.slice(0, end)));
        buffered = buffered.slice(end + 1);
      }
    });
    this.exited = new Promise((resolve) => proc.once("exit", resolve));
    proc.once("exit", () => {
      for (const { reject } of this.pending.values())
        reject(new Error("Chromium ended: " + this.stderr));
      this.pending.clear();
    });
  }

  receive(message) {
    if (message.id !== undefined) {
      const call = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (!call)
        return;
      if (message.error)
        call.reject(new Error(`${call.method}: ${message.error.message}`));
      else
        call.resolve(message.result);
      return;
    }
    for (const listener of this.listeners)
      listener(message);
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId)
      message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.proc.stdio[3].write(JSON.stringify(message) + "\0");
    });
  }

  // A page whose browser asks for `language` ("ru-RU") when one is given.
  async newPage(width = 1000, height = 737, language = undefined) {
    const { targetId } = await this.send("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await this.send("Target.attachToTarget", { targetId, flatten: true });
    const page = new Page(this, sessionId, targetId);
    await page.start(width, height);
    if (language) {
      const { userAgent } = await this.send("Browser.getVersion");
      await page.send("Emulation.setUserAgentOverride", { userAgent, acceptLanguage: language });
    }
    return page;
  }

  async close() {
    try {
      await Promise.race([this.send("Browser.close"), this.exited]);
    } catch {
      this.proc.kill();
    }
    await this.exited;
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

export class Page {
  constructor(browser, sessionId, targetId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.targetId = targetId;
    this.console = [];
    this.errors = [];
    this.dialogs = [];
    this.requests = [];
    browser.listeners.push((m) => {
      if (m.sessionId !== sessionId)
        return;
      if (m.method === "Network.requestWillBeSent")
        this.requests.push(m.params.request.url);
      else if (m.method === "Runtime.consoleAPICalled")
        this.console.push(m.params.args.map((a) => a.value ?? a.description ?? "").join(" "));
      else if (m.method === "Runtime.exceptionThrown")
        this.errors.push(m.params.exceptionDetails.exception?.description ?? m.params.exceptionDetails.text);
      else if (m.method === "Page.javascriptDialogOpening") {
        // The game's message boxes are the page's alerts; they are noted
        // and closed so that nothing waits on a person.
        this.dialogs.push(m.params.message);
        this.send("Page.handleJavaScriptDialog", { accept: true }).catch(() => {});
      }
    });
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  async start(width, height) {
    await this.send("Page.enable");
    await this.send("Runtime.enable");
    await this.send("Network.enable");
    await this.send("Emulation.setDeviceMetricsOverride", { width, height, deviceScaleFactor: 1, mobile: false });
  }

  // Resolves when the next document has fired its load event (the page's
  // scripts, the game's among them, have run by then).
  nextLoad() {
    return new Promise((resolve) => {
      const listener = (m) => {
        if (m.sessionId === this.sessionId && m.method === "Page.loadEventFired") {
          this.browser.listeners.splice(this.browser.listeners.indexOf(listener), 1);
          resolve();
        }
      };
      this.browser.listeners.push(listener);
    });
  }

  async goto(url) {
    this.console = [];
    this.errors = [];
    const loaded = this.nextLoad();
    await this.send("Page.navigate", { url });
    await loaded;
  }

  async reload() {
    this.console = [];
    this.errors = [];
    const loaded = this.nextLoad();
    await this.send("Page.reload", { ignoreCache: true });
    await loaded;
  }

  // Runs before every document the page loads, ahead of the page's scripts.
  addStartScript(source) {
    return this.send("Page.addScriptToEvaluateOnNewDocument", { source });
  }

  async evaluate(expression) {
    const r = await this.send("Runtime.evaluate", { expression, returnByValue: true, awaitPromise: true });
    if (r.exceptionDetails)
      throw new Error(`${expression}: ${r.exceptionDetails.exception?.description ?? r.exceptionDetails.text}`);
    return r.result.value;
  }

  // Polls expression until it gives a true value; returns that value.
  async waitFor(expression, what, limitMs = 20000) {
    const until = Date.now() + limitMs;
    let last;
    for (;;) {
      let value = null;
      try {
        value = last = await this.evaluate(expression);
      } catch (e) {
        last = e.message;  // the page may be between documents
      }
      if (value)
        return value;
      if (Date.now() > until)
        throw new Error(`Waited ${limitMs} ms for ${what}; last: ${JSON.stringify(last)}; ` +
                        `errors: ${this.errors.join(" | ")}; console: ${this.console.slice(-5).join(" | ")}`);
      await new Promise((r) => setTimeout(r, 40));
    }
  }

  // The game's modes and frame times (null before the game runs).
  probe() {
    return this.evaluate(
      "typeof Module === 'object' && Module.calledRun ? JSON.parse(Module.ccall('QuarvelProbe', 'string', [], [])) : null");
  }

  // Waits until the game has run `frames` more frames than `after`.
  async waitFrames(frames, after = null) {
    const start = after ?? (await this.probe())?.frames ?? 0;
    return this.waitFor(`(() => { const p = typeof Module === 'object' && Module.calledRun &&
      JSON.parse(Module.ccall('QuarvelProbe', 'string', [], [])); return p && p.frames >= ${start + frames} && p; })()`,
      `${frames} frames`, Math.max(20000, frames * 500));
  }

  async key(type, code, key, keyCode, modifiers = 0) {
    await this.send("Input.dispatchKeyEvent", {
      type, code, key, windowsVirtualKeyCode: keyCode, nativeVirtualKeyCode: keyCode, modifiers,
    });
  }

  // Presses and releases a key, each seen by the game in its own frame.
  async tap(code, key, keyCode) {
    await this.key("keyDown", code, key, keyCode);
    await this.waitFrames(2);
    await this.key("keyUp", code, key, keyCode);
    await this.waitFrames(2);
  }

  async mouse(type, x, y, button = "none", clickCount = 0) {
    await this.send("Input.dispatchMouseEvent", { type, x, y, button, clickCount });
  }

  // Page coordinates of a point of the game's 800 x 590 picture.
  async pagePoint(px, py) {
    const r = await this.evaluate(
      "(() => { const r = document.getElementById('canvas').getBoundingClientRect(); " +
      "return [r.left, r.top, r.width, r.height]; })()");
    return [r[0] + (px + 0.5) * r[2] / 800, r[1] + (py + 0.5) * r[3] / 590];
  }

  async click(px, py) {
    const [x, y] = await this.pagePoint(px, py);
    await this.mouse("mouseMoved", x, y);
    await this.waitFrames(2);
    await this.mouse("mousePressed", x, y, "left", 1);
    await this.waitFrames(2);
    await this.mouse("mouseReleased", x, y, "left", 1);
    await this.waitFrames(2);
  }

  async screenshot(file) {
    const { data } = await this.send("Page.captureScreenshot", { format: "png" });
    fs.writeFileSync(file, Buffer.from(data, "base64"));
  }

  async close() {
    await this.browser.send("Target.closeTarget", { targetId: this.targetId });
  }
}
