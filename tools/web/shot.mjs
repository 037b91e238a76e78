// Screenshot of the browser version after a number of frames, to compare
// with the runner's: node tools/web/shot.mjs OUT.png [--frames N]
// [--developer] [--size WxH]. --developer starts in the showroom storey, as
// a "kresk" file does on the desktop.
import path from "node:path";

import { Browser } from "../../tests/web/browser.mjs";
import { serveFolder, serverAddress } from "./serve.mjs";

const args = process.argv.slice(2);
const option = (name, fallback) => (args.includes(name) ? args[args.indexOf(name) + 1] : fallback);
const out = args[0];
const frames = Number(option("--frames", 120));
const [width, height] = option("--size", "800x590").split("x").map(Number);
const site = path.resolve(path.dirname(new URL(import.meta.url).pathname), "../../build-web");

const server = await serveFolder(site);
const browser = await Browser.launch();
try {
  const page = await browser.newPage(width, height);
  if (args.includes("--developer"))
    await page.addStartScript("window.Module = { preRun: [() => FS.writeFile('/kresk', '')] };");
  await page.goto(serverAddress(server));
  const probe = await page.waitFrames(frames, 0);
  await page.screenshot(out);
  console.log(JSON.stringify(probe));
} finally {
  await browser.close();
  server.close();
}
