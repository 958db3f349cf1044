#!/usr/bin/env bash
# Installs what the game and its tests need (once), builds into build/ and runs every
# test; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p build/xdg-runtime && chmod 700 build/xdg-runtime
cd build
ctest --output-on-failure -j2
