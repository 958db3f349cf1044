#!/usr/bin/env bash
# Installs what the game needs (once), builds it into build/ and starts it.
# `./run.sh web` builds the page into build-web/page/ instead and serves it on 127.0.0.1.
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = web ]; then
  scripts/deps.sh web
  exec scripts/web.sh serve
fi
scripts/deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sorato
exec build/sorato
