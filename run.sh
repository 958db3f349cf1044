#!/usr/bin/env bash
# Installs what the game needs (once), builds it into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sorato
exec build/sorato
