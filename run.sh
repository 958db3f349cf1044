#!/usr/bin/env bash
# Installs what the game needs (once), builds it into build/ and starts it.
# `./run.sh web` builds the page into build-web/page/ instead and serves it on 127.0.0.1;
# `./run.sh windows` builds the Windows program into build-win/ and starts it under wine.
set -euo pipefail
cd "$(dirname "$0")"
# New build folders are made for Ninja (a folder made before keeps its generator).
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
if [ "${1:-}" = web ]; then
  scripts/deps.sh web
  exec scripts/web.sh serve
fi
if [ "${1:-}" = windows ]; then
  scripts/deps.sh windows
  exec scripts/win.sh run
fi
scripts/deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sorato
exec build/sorato
