#!/usr/bin/env bash
# Runs the browser build's tests: puppeteer-core as pinned by package-lock.json
# (installed once into tests/web/node_modules), Debian's Chromium headless with
# software WebGL, the site served from 127.0.0.1 by the test itself.
#   tests/web/run.sh SITE_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
site=$(cd "$1" && pwd)
if ! (cd "$here" && npm ls --offline puppeteer-core >/dev/null 2>&1); then
  (cd "$here" && npm ci --no-audit --no-fund)
fi
node "$here/site_test.mjs" "$site"
node "$here/browser_test.mjs" "$site"
