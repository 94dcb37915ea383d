#!/usr/bin/env bash
# Puts the servable site together in OUTPUT, beside the program emcc wrote
# there (quillmead.js, quillmead.wasm): the page, the service worker, the
# manifest, the icons the Linux build drew, the archives, the licences, and
# site-files.js, which names them all for the page and the service worker
# under a version that changes with any byte of any of them.
#
#   make-site.sh OUTPUT DATA_FOLDER LICENCES_FOLDER
set -euo pipefail
out=$1 data=$2 licences=$3
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$out/icons" "$out/licences"
cp "$here/index.html" "$here/page.js" "$here/service-worker.js" "$here/manifest.webmanifest" "$out/"
cp "$data"/icons/quillmead-48.png "$data"/icons/quillmead-128.png "$data"/icons/quillmead-256.png \
   "$data"/icons/quillmead.svg "$out/icons/"
rm -f "$out"/*.pak
cp "$data"/*.pak "$out/"
cp "$here/../../LICENSE" "$out/licences/quillmead-LICENSE.txt"
cp "$licences"/* "$out/licences/"

cd "$out"
site=(index.html page.js quillmead.js quillmead.wasm site-files.js manifest.webmanifest
      icons/quillmead-48.png icons/quillmead-128.png icons/quillmead-256.png icons/quillmead.svg)
archives=(*.pak)
hashed=()
for f in "${site[@]}"; do [ "$f" = site-files.js ] || hashed+=("$f"); done
version=$(cat "${hashed[@]}" "${archives[@]}" service-worker.js | sha256sum | cut -c1-16)
quote() { local first=1; for f in "$@"; do [ $first -eq 1 ] || printf ', '; printf '"%s"' "$f"; first=0; done; }
cat >site-files.js <<JS
// Written by make-site.sh: the site's files, for the page and the service worker.
self.QUILLMEAD_FILES = {
  version: "$version",
  site: [$(quote "${site[@]}")],
  archives: [$(quote "${archives[@]}")]
};
JS
