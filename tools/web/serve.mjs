// A small static server for the browser version: serves the files at the
// top of one folder (index.html, quarvel.js, quarvel.wasm, quarvel.data and
// the language packages) on a loopback address, nothing below it.
//   node tools/web/serve.mjs FOLDER [--port N]
import http from "node:http";
import fs from "node:fs";
import path from "node:path";

const Types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".wasm": "application/wasm",
  ".data": "application/octet-stream",
  ".json": "application/json",
};

// Starts serving folder on 127.0.0.1; resolves to the server once it
// listens. Names in options.missing answer 404, as if the file had not
// arrived (the tests of a failed download use it).
export function serveFolder(folder, options = {}) {
  const missing = new Set(options.missing || []);
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, "http://x").pathname.slice(1)) || "index.html";
    const file = path.join(folder, name);
    const type = Types[path.extname(name)];
    if (name.includes("/") || name.includes("\\") || !type || missing.has(name) || !fs.existsSync(file)) {
      res.writeHead(404, { "Content-Type": "text/plain" }).end("Not found");
      return;
    }
    res.writeHead(200, { "Content-Type": type, "Content-Length": fs.statSync(file).size, "Cache-Control": "no-cache" });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve, reject) => {
    server.once("error", reject);
    server.listen(options.port || 0, "127.0.0.1", () => resolve(server));
  });
}

export function serverAddress(server) {
  return `http://127.0.0.1:${server.address().port}/`;
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const folder = process.argv[2];
  const portAt = process.argv.indexOf("--port");
  const port = portAt > 0 ? Number(process.argv[portAt + 1]) : 8020;
  if (!folder || !fs.existsSync(path.join(folder, "index.html"))) {
    console.error("usage: node tools/web/serve.mjs FOLDER [--port N] (FOLDER holds index.html)");
    process.exit(2);
  }
  const server = await serveFolder(folder, { port });
  console.log(`Quarvel is served at ${serverAddress(server)} (Ctrl+C stops)`);
}
