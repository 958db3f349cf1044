#!/usr/bin/env bash
# The page and the WebAssembly driver, after scripts/web.sh build: the driver's scripts
# through build-web/sorato-drive (the same output as the native driver), then the page
# (its tests' build, and the published one) in the system's Chromium (tests/web/page_test.mjs), with its pinned browser control
# installed from the lock file.  Screenshots go to build-web/artefacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
SORATO_DRIVE=build-web/sorato-drive bash tests/drive_program_test.sh tests/scripts
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
node tests/web/page_test.mjs build-web/page-test build/sorato-drive build-web/artefacts build-web/page
