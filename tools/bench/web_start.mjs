// The browser version's first picture: node tools/bench/web_start.mjs SITE
// [RUNS] [LANGUAGE] loads the page RUNS times (default 7) in headless
// Chromium from a loopback server, each time afresh (no cache), with the
// browser asking for LANGUAGE ("ru-RU", "en-US"; Chromium's own when not
// given), and prints the median time in milliseconds from the start of
// loading to the first picture.
import { Browser } from "../../tests/web/browser.mjs";
import { serveFolder, serverAddress } from "../web/serve.mjs";

const [site, runsText, language] = process.argv.slice(2);
const runs = Number(runsText || 7);
const server = await serveFolder(site);
const browser = await Browser.launch();
const times = [];
try {
  for (let i = 0; i < runs; i++) {
    const page = await browser.newPage(undefined, undefined, language);
    await page.send("Network.setCacheDisabled", { cacheDisabled: true });
    await page.goto(serverAddress(server));
    await page.waitFrames(1, 0);
    times.push(await page.evaluate("Module.quarvelFirstFrameAt"));
    await page.close();
  }
} finally {
  await browser.close();
  server.close();
}
times.sort((a, b) => a - b);
console.log(times[Math.floor((times.length - 1) / 2)].toFixed(0));
