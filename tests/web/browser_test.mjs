// The browser build in Debian's Chromium (headless), served from 127.0.0.1 by
// a server this test starts and stops, one browser profile throughout:
//   1. the first visit (software WebGL through SwiftShader): the program
//      starts with every archive the site has, writes its settings file into
//      the book's folder and asks the page to copy it to IndexedDB; the
//      service worker is ready; no request leaves the site;
//   2. the same again without WebGL (the program stops at once, as it does
//      without a display): a file written into the book's folder and copied
//      by the page's copier the program uses;
//   3. the browser closed and started again: that file comes back from
//      IndexedDB byte for byte, and the page is the service worker's;
//   4. with the server stopped, a reload opens the page, the program and its
//      archives from the service worker's cache, the book's folder intact.
// Only the first visit draws: the desktop renderer over emscripten's
// fixed-function emulation (until the WebGL renderer exists) leaves Chromium's
// GPU process stuck after the first frames, and the tab may die a few seconds
// later, so the drawn page is left at once.
//   node browser_test.mjs SITE_FOLDER
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const site = process.argv[2];
const bookFile = '/book/velvadine_quillmead_cfg';

function freePort() {
  return new Promise((resolve) => {
    const server = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function startServer(port) {
  const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1'],
                       { cwd: site, stdio: 'ignore' });
  for (let i = 0; i < 100; i++) {
    try {
      const response = await fetch(`http://127.0.0.1:${port}/index.html`);
      if (response.ok) return server;
    } catch { /* not up yet */ }
    await new Promise((r) => setTimeout(r, 100));
  }
  server.kill();
  throw new Error('the web server did not start');
}

function stopServer(server) {
  return new Promise((resolve) => { server.once('exit', resolve); server.kill(); });
}

// Waits until the program's main has run (the archives fetched, the book's
// folder read back from IndexedDB) and says what the program sees.
async function programStarted(page) {
  await page.waitForFunction(() => typeof Module !== 'undefined' && Module.calledRun, { timeout: 120000 });
  return page.evaluate(() => ({
    archives: Object.fromEntries(FS.readdir('/data').filter((n) => n.endsWith('.pak'))
      .map((n) => [n, FS.stat('/data/' + n).size])),
    book: FS.readdir('/book').filter((n) => n !== '.' && n !== '..').sort(),
    storageError: Module.storageError || null,
  }));
}

const port = await freePort();
const origin = `http://127.0.0.1:${port}`;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmead-chromium-'));
const chromiumFlags = ['--no-sandbox', '--window-size=1280,720'];
const withWebGl = ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'];
const withoutGpu = ['--disable-gpu', '--disable-software-rasterizer'];
let server = await startServer(port);
let browser = null;
const elsewhere = [], pageErrors = [];

async function openPage(flags) {
  browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
                                     args: [...chromiumFlags, ...flags] });
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 720 });
  page.on('request', (request) => {
    const url = new URL(request.url());
    if (url.origin !== origin && url.protocol !== 'data:' && url.protocol !== 'blob:') elsewhere.push(request.url());
  });
  page.on('pageerror', (error) => pageErrors.push(String(error)));
  return page;
}

let failure = null;
try {
  // 1. The first visit, drawn.
  let page = await openPage(withWebGl);
  await page.goto(`${origin}/index.html`, { waitUntil: 'load' });
  const first = await programStarted(page);
  const served = fs.readdirSync(site).filter((n) => n.endsWith('.pak'));
  assert.deepEqual(Object.keys(first.archives).sort(), served.sort());
  for (const name of served) assert.equal(first.archives[name], fs.statSync(path.join(site, name)).size, name);
  assert.equal(first.storageError, null);
  assert.ok(first.book.includes('velvadine_quillmead_cfg'), `the program made its settings file: ${first.book}`);
  const written = await page.evaluate((file) => Array.from(FS.readFile(file)), bookFile);
  assert.ok(written.length > 16, 'a settings file with something in it');
  assert.ok(await page.evaluate(() => Module.persistAsked) > 0, 'the program asked for its file to be kept');
  await page.evaluate(() => navigator.serviceWorker.ready);
  assert.deepEqual(pageErrors, [], 'uncaught errors in the page');
  console.log(`first visit: the program started with ${served.length} archives, wrote ` +
              `${written.length} bytes of settings and asked for them to be kept; the service worker is ready`);
  await browser.close();

  // 2. Without WebGL: a file of the test's own, kept by the page's copier.
  page = await openPage(withoutGpu);
  await page.goto(`${origin}/index.html`, { waitUntil: 'load' });
  await programStarted(page);
  const marker = Array.from({ length: 300 }, (_, i) => (i * 7 + 3) & 255);
  await page.evaluate(async (marker) => {
    FS.writeFile('/book/test-marker', new Uint8Array(marker));
    const copies = Module.persistCount;
    Module.quillmeadPersist();
    while (Module.persistCount === copies && !Module.storageError) await new Promise((r) => setTimeout(r, 20));
  }, marker);
  assert.equal(await page.evaluate(() => Module.storageError || null), null);
  await browser.close();

  // 3. The browser started again: the file from IndexedDB, the page from the cache.
  page = await openPage(withoutGpu);
  await page.goto(`${origin}/index.html`, { waitUntil: 'load' });
  const second = await programStarted(page);
  const kept = await page.evaluate(() => ({
    marker: Array.from(FS.readFile('/book/test-marker')),
    controlled: !!navigator.serviceWorker.controller,
  }));
  assert.deepEqual(kept.marker, marker);
  assert.ok(kept.controlled, 'the page is the service worker\'s');
  assert.deepEqual(second.archives, first.archives);
  console.log('browser started again: the book folder came back from IndexedDB byte for byte');

  // 4. No server: everything from the service worker's cache.
  await stopServer(server);
  server = null;
  await page.reload({ waitUntil: 'load' });
  const offline = await programStarted(page);
  assert.deepEqual(offline.archives, first.archives);
  // From the service worker's own cache, not the browser's HTTP cache: every
  // file the site names is in it.
  const uncached = await page.evaluate(async () => {
    const names = [...self.QUILLMEAD_FILES.site, ...self.QUILLMEAD_FILES.archives];
    const missing = [];
    for (const name of names) if (!(await caches.match(name))) missing.push(name);
    return missing;
  });
  assert.deepEqual(uncached, [], 'files missing from the service worker\'s cache');
  assert.deepEqual(await page.evaluate(() => Array.from(FS.readFile('/book/test-marker'))), marker);
  console.log('offline: the page, the program and its archives came from the cache');

  assert.deepEqual(elsewhere, [], 'requests to other sites');
} catch (error) {
  failure = error;
} finally {
  if (browser) await browser.close();
  if (server) await stopServer(server);
  fs.rmSync(profile, { recursive: true, force: true });
}
if (failure) {
  console.error(failure);
  process.exit(1);
}
console.log('browser: all passed');
