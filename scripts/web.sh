#!/usr/bin/env bash
# The page: `scripts/web.sh build` builds it into build-web/page/ (the tests' build of it
# into build-web/page-test/, and the WebAssembly driver as build-web/sorato-drive);
# `scripts/web.sh serve` also serves the folder on 127.0.0.1, at a free port, until
# Ctrl-C; `scripts/web.sh stamp DIR` names the release of a page folder again after a
# change to one of its files.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

build() {
  # Debian's emscripten runs its JavaScript tools with Debian's Node modules.
  export NODE_PATH=/usr/share/nodejs
  emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DSORATO_WITH_QT=OFF \
    -DSORATO_WITH_TESTS=OFF >/dev/null
  cmake --build build-web -j"$jobs" --target sorato-page sorato-page-test sorato-drive
  for dir in page page-test; do
    /usr/bin/python3 scripts/make_icons.py data/sorato.xpm "build-web/$dir" --flat
  done
  stamp build-web/page
  stamp build-web/page-test
  # The page in one file, to open from a disk; and the tests' copy of it.
  /usr/bin/python3 scripts/single_page.py build-web/page build-web/sorato.html
  /usr/bin/python3 scripts/single_page.py build-web/page-test build-web/sorato-test.html \
    tests/web/probe.js
  (cd build-web && sha256sum sorato.html >SHA256SUMS)
}

# Names the release of a built page folder: a hash of its files (and of the page and
# worker templates), written into index.html, which asks for every file with it, and
# into sw.js, whose change is how a returning browser learns of the release.
stamp() {
  local dir=$1 release
  release=$( (cd "$dir" && cat sorato.css sorato.js sorato.wasm manifest.webmanifest \
                 icon-32.png icon-64.png icon-128.png icon-256.png) |
             cat - web/index.html web/sw.js | sha256sum | cut -c1-16)
  sed "s/@RELEASE@/$release/g" web/index.html >"$dir/index.html"
  sed "s/@RELEASE@/$release/g" web/sw.js >"$dir/sw.js"
}

serve() {
  echo "ソラト: open http://127.0.0.1:$1/ (Ctrl-C ends)"
  exec /usr/bin/python3 -m http.server "$1" --bind 127.0.0.1 --directory build-web/page
}

free_port() {
  /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

case "${1:-}" in
  build) build ;;
  serve) build; serve "$(free_port)" ;;
  stamp) stamp "$2" ;;
  *) echo "usage: $0 build|serve|stamp DIR" >&2; exit 64 ;;
esac
