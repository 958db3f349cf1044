#!/usr/bin/env bash
# Installs what the game and its tests need (once), builds into build/ and runs every
# test; then builds the model, the game, the driver and the fuzzers again with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs them there.
# Then builds the page and the driver with emscripten into build-web/ and tests them
# under Node and in Chromium, Firefox and WebKit; then the Windows program, the driver
# and their tests with mingw-w64 into build-win/, tested under wine.  Exits non-zero on
# any failure or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure --no-tests=error -j2)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="clang++-$(cat scripts/clang-version)" \
  -DSORATO_WITH_QT=OFF -DSORATO_SANITIZE=ON -DSORATO_FUZZERS=ON -DSORATO_FUZZ_ACTIONS=1000000 \
  >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure --no-tests=error -j2)

# The page: the same sources compiled to WebAssembly, tested under Node and in the three
# browser engines.
scripts/web.sh build >/dev/null
tests/web_test.sh

# Windows: the same sources cross-built with mingw-w64, tested under wine.
scripts/win.sh build >/dev/null
scripts/win.sh prefix
tests/win_test.sh
