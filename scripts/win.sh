#!/usr/bin/env bash
# The game for Windows, cross-built with Debian's mingw-w64 into build-win/ and run under
# wine in a prefix of the build's own (build-win/wineprefix, never ~/.wine).
#   scripts/win.sh build   builds build-win/sorato.exe, sorato-drive.exe, the tests, the
#                          zip, the installer, the MSI and their SHA256SUMS
#   scripts/win.sh prefix  makes the wine prefix (once)
#   scripts/win.sh run     builds, then starts the game under wine
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export WINEPREFIX=$PWD/build-win/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# A prefix of its own, made once; the display driver is chosen per run (null: none).
prefix() {
  mkdir -p build-win
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
}

build() {
  prefix  # the MSI's names are set by a Windows program of the build, under wine
  /usr/bin/python3 scripts/make_icons.py data/sorato.xpm build-win/sorato.ico
  cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DSORATO_WITH_QT=OFF >/dev/null
  cmake --build build-win -j"$jobs"
}

# The display driver of the prefix: "null" (no display, like Qt's offscreen) or "x11".
display_driver() {
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

case "${1:-}" in
  build) build ;;
  prefix) prefix ;;
  driver) prefix; display_driver "$2" ;;
  run)
    build
    command -v wine >/dev/null || { echo "wine is not installed: run build-win/sorato.exe on Windows" >&2; exit 1; }
    prefix
    display_driver x11
    exec wine build-win/sorato.exe
    ;;
  *) echo "usage: $0 build|prefix|driver null|x11|run" >&2; exit 64 ;;
esac
