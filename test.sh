#!/usr/bin/env bash
# Installs what the game and its tests need (once), then builds and tests it in four
# stages, all of them by default (CI runs them all), or only those named:
#   native  build/ as the game is shipped, with every test (the window ones offscreen and
#           under Xvfb)
#   asan    build-asan/: the model, the game, the driver and the fuzzers again, built by
#           clang with AddressSanitizer and UndefinedBehaviorSanitizer
#   web     build-web/: the page and the driver with emscripten, tested under Node and in
#           Chromium, Firefox and WebKit
#   win     build-win/: the Windows program, the driver and their tests with mingw-w64,
#           tested under wine
# The page's and the Windows program's stages, when both are asked, run side by side (they
# wait on browsers and on wine much of the time), each into a log of its own that is
# printed whole when both have ended.  Exits non-zero on any failure or sanitizer report;
# at its end, passed or not, prints how long the set-up and each stage took.
# Usage: ./test.sh [STAGE ...]
set -euo pipefail
cd "$(dirname "$0")"
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(native asan web win)
for stage in "${stages[@]}"; do
  case $stage in native|asan|web|win) ;; *) echo "usage: $0 [native|asan|web|win ...]" >&2; exit 64 ;; esac
done

# Each step's time, printed at the end, and the step that failed if one did.
took=() step="" step_start=0
minutes() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }
report() {
  local status=$?
  [ -z "$step" ] || took+=("$step: failed after $(minutes $((SECONDS - step_start)))")
  printf 'test.sh: %s\n' "${took[@]}" "total $(minutes "$SECONDS")"
  exit "$status"
}
trap report EXIT
timed() {
  step=$1 step_start=$SECONDS
  "${@:2}"
  took+=("$step: $(minutes $((SECONDS - step_start)))")
  step=""
}

timed set-up scripts/deps.sh test
jobs=$(nproc)

native() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$jobs"
  (cd build && ctest --output-on-failure --no-tests=error -j2)
}

asan() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="clang++-$(cat scripts/clang-version)" \
    -DSORATO_WITH_QT=OFF -DSORATO_SANITIZE=ON -DSORATO_FUZZERS=ON -DSORATO_FUZZ_ACTIONS=1000000 \
    >/dev/null
  cmake --build build-asan -j"$jobs"
  (cd build-asan && ctest --output-on-failure --no-tests=error -j2)
}

# The page and the Windows program are checked against the native driver (built once).
native_driver() {
  [ -z "${driver_built:-}" ] || return 0
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$jobs" --target sorato-drive >/dev/null
  driver_built=1
}

# The page: the same sources compiled to WebAssembly, tested under Node and in the three
# browser engines.
web() {
  native_driver
  scripts/web.sh build >/dev/null
  tests/web_test.sh
}

# Windows: the same sources cross-built with mingw-w64, tested under wine (the prefix is
# made before the build's tests are listed, which runs them under wine).
win() {
  native_driver
  scripts/win.sh prefix
  scripts/win.sh build >/dev/null
  tests/win_test.sh
}

# Stages $1 and $2 side by side, each in a subshell that stops at its first failure.
side_by_side() {
  native_driver
  local stage pids=() failed=0
  mkdir -p build
  for stage; do
    (trap 'echo $((SECONDS - start)) >"build/$stage-stage.time"' EXIT
     start=$SECONDS
     "$stage") >"build/$stage-stage.log" 2>&1 &
    pids+=($!)
  done
  for i in 0 1; do
    stage=${*:i+1:1}
    if wait "${pids[i]}"; then status=0; else status=$?; failed=1; fi
    cat "build/$stage-stage.log"
    took+=("$stage: $([ "$status" = 0 ] || echo "failed after ")$(minutes "$(cat "build/$stage-stage.time")")")
  done
  return $failed
}

if [[ " ${stages[*]} " == *" web "* && " ${stages[*]} " == *" win "* ]]; then
  for stage in "${stages[@]}"; do
    case $stage in web|win) ;; *) timed "$stage" "$stage" ;; esac
  done
  step="web and win side by side" step_start=$SECONDS
  side_by_side web win
  took+=("$step: $(minutes $((SECONDS - step_start)))")
  step=""
else
  for stage in "${stages[@]}"; do timed "$stage" "$stage"; done
fi
