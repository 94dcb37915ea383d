// The site `make web` put together, without a browser: everything the page
// and the service worker name is there, every archive of the build is named,
// and the manifest's icons are the pictures it says they are.
//   node site_test.mjs SITE_FOLDER
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';

const site = process.argv[2];
const context = { self: {} };
vm.runInNewContext(fs.readFileSync(path.join(site, 'site-files.js'), 'utf8'), context);
const files = context.self.QUILLMEAD_FILES;
assert.match(files.version, /^[0-9a-f]{16}$/);

// Every file named is there and not empty; every archive in the folder is named.
for (const name of [...files.site, ...files.archives, 'service-worker.js']) {
  const stat = fs.statSync(path.join(site, name));
  assert.ok(stat.isFile() && stat.size > 0, `${name} is missing or empty`);
}
const archives = fs.readdirSync(site).filter((name) => name.endsWith('.pak')).sort();
assert.deepEqual([...files.archives].sort(), archives);
for (const name of ['interface.pak', 'page01.pak', 'music.pak', 'langen.pak']) assert.ok(archives.includes(name), name);

// The wasm is WebAssembly, and the program's script loads it by its name.
const wasm = fs.readFileSync(path.join(site, 'quillmead.wasm'));
assert.deepEqual([...wasm.subarray(0, 4)], [0x00, 0x61, 0x73, 0x6d]);
assert.ok(fs.readFileSync(path.join(site, 'quillmead.js'), 'utf8').includes('quillmead.wasm'));

// The manifest: a name, a start inside the site, and icons that are what they say.
const manifest = JSON.parse(fs.readFileSync(path.join(site, 'manifest.webmanifest'), 'utf8'));
assert.equal(manifest.name, 'Quillmead');
assert.ok(!/^[a-z]+:/.test(manifest.start_url), 'the start address stays on the site');
for (const icon of manifest.icons) {
  const bytes = fs.readFileSync(path.join(site, icon.src));
  assert.ok(files.site.includes(icon.src), `${icon.src} is kept offline`);
  if (icon.type === 'image/png') {
    assert.equal(bytes.toString('latin1', 1, 4), 'PNG');
    const [w, h] = icon.sizes.split('x').map(Number);
    assert.equal(bytes.readUInt32BE(16), w, icon.src);
    assert.equal(bytes.readUInt32BE(20), h, icon.src);
  } else {
    assert.match(bytes.toString('utf8', 0, 200), /<svg|<\?xml/);
  }
}

// The page names only files of the site, and loads site-files.js before the program.
const page = fs.readFileSync(path.join(site, 'index.html'), 'utf8');
const scripts = [...page.matchAll(/<script src="([^"]+)"/g)].map((m) => m[1]);
assert.deepEqual(scripts, ['site-files.js', 'page.js', 'quillmead.js']);
assert.ok(!/(src|href)="(https?:)?\/\//.test(page), 'nothing from another site');
console.log(`site: ${files.site.length} files and ${files.archives.length} archives, version ${files.version}`);
