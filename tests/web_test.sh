#!/usr/bin/env bash
# The page and the WebAssembly driver, after scripts/web.sh build: the driver's scripts
# through build-web/sorato-drive (the same output as the native driver); then the page in
# the three browser engines, each driven by its tool from tests/web/ (installed from the
# lock file): in Chromium the full run (tests/web/page_test.mjs: its tests' build and the
# published one), in Firefox and WebKit the games, fits and offline start
# (engine_test.mjs), in all three the page in one file (single_test.mjs), and in Chromium
# and Firefox the update of a returning visitor to a new release (update_test.mjs).
# Screenshots go to build-web/artefacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
SORATO_DRIVE=build-web/sorato-drive bash tests/drive_program_test.sh tests/scripts
# The browsers' drivers, from the lock file: installed again only when it has changed.
(cd tests/web
 lock=$(sha256sum package-lock.json)
 if [ "$(cat node_modules/.installed-from 2>/dev/null)" != "$lock" ]; then
   npm ci --no-audit --no-fund --loglevel=error >/dev/null
   echo "$lock" >node_modules/.installed-from
 fi)
# The page in one file, opened from disk.
single() {
  node tests/web/single_test.mjs "$1" build-web/sorato-test.html build/sorato-drive build-web/artefacts
}
# Two streams side by side (one waits on its browser while the other works): Chromium's,
# and Firefox's and WebKit's; each into a log of its own, printed when both have ended.
chromium() {
  node tests/web/page_test.mjs build-web/page-test build/sorato-drive build-web/artefacts build-web/page
  single chromium
  node tests/web/update_test.mjs build-web/page chromium
}
others() {
  for engine in firefox webkit; do
    node tests/web/engine_test.mjs "$engine" build-web/page-test build/sorato-drive build-web/artefacts
  done
  single firefox
  single webkit
  # (WebKitGTK now and then sends a visit past the worker to its HTTP cache, which then
  # serves the release before for as long as the host allows: run it there by hand.)
  node tests/web/update_test.mjs build-web/page firefox
}
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
chromium >"$logs/chromium" 2>&1 &
first=$!
others >"$logs/others" 2>&1 &
second=$!
status=0
wait $first || status=$?
wait $second || status=$?
cat "$logs/chromium" "$logs/others"
exit $status
