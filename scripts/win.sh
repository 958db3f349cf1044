#!/usr/bin/env bash
# The game for Windows, cross-built with Debian's mingw-w64 into build-win/ and run under
# wine in a prefix of the build's own (build-win/wineprefix, never ~/.wine).
#   scripts/win.sh build   builds build-win/sorato.exe, sorato-drive.exe, the tests, the
#                          zip, the installer, the MSI and their SHA256SUMS
#   scripts/win.sh prefix  makes the wine prefix (once)
#   scripts/win.sh gtest   prints where GoogleTest for Windows is kept (scripts/deps.sh
#                          builds it once)
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

# GoogleTest for Windows, built once from Debian's sources (scripts/deps.sh asks for it).
gtest_dir() {
  echo "${XDG_CACHE_HOME:-$HOME/.cache}/sorato/googletest-$(dpkg-query -W -f='${Version}' googletest)-mingw-$(x86_64-w64-mingw32-g++-posix -dumpfullversion)"
}
gtest_build() {
  local dir work
  dir=$(gtest_dir)
  [ ! -f "$dir/lib/cmake/GTest/GTestConfig.cmake" ] || return 0
  work=$(mktemp -d)
  cmake -S /usr/src/googletest -B "$work" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O0 -DBUILD_GMOCK=OFF \
    -Dgtest_force_shared_crt=OFF -DCMAKE_INSTALL_PREFIX="$dir.new" >/dev/null
  cmake --build "$work" -j"$jobs" >/dev/null
  rm -rf "$dir.new"
  cmake --install "$work" >/dev/null
  rm -rf "$work" "$dir"
  mv "$dir.new" "$dir"  # whole or not at all
}

build() {
  prefix  # the MSI's names are set by a Windows program of the build, under wine
  /usr/bin/python3 scripts/make_icons.py data/sorato.xpm build-win/sorato.ico
  local gtest=()
  [ ! -d "$(gtest_dir)" ] || gtest=(-DSORATO_MINGW_GTEST="$(gtest_dir)")
  cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DSORATO_WITH_QT=OFF "${gtest[@]}" >/dev/null
  cmake --build build-win -j"$jobs"
}

# The display driver of the prefix: "null" (no display, like Qt's offscreen) or "x11".
display_driver() {
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

case "${1:-}" in
  build) build ;;
  gtest-build) gtest_build ;;
  gtest) gtest_dir ;;
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
