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
# The stages asked run in up to three lanes side by side: native then asan, the page, the
# Windows program (the builds take the processors while the page's and the window's tests
# wait on browsers, X and wine), each lane into a log of its own that is printed whole
# when it has ended.  Exits non-zero on any failure or sanitizer report; at its end,
# passed or not, prints how long the set-up and each stage took.
# Usage: ./test.sh [STAGE ...]
set -euo pipefail
cd "$(dirname "$0")"
# New build folders are made for Ninja (a folder made before keeps its generator).
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
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

# A part of a stage, its time in the stage's output: `part "win: build" CMD ...`.
part() {
  local start=$SECONDS
  "${@:2}"
  echo "test.sh: $1: $(minutes $((SECONDS - start)))" >&2
}

native() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  part "native: build" cmake --build build -j"$jobs"
  (cd build && part "native: tests" ctest --output-on-failure --no-tests=error -j2)
}

asan() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="clang++-$(cat scripts/clang-version)" \
    -DSORATO_WITH_QT=OFF -DSORATO_SANITIZE=ON -DSORATO_FUZZERS=ON -DSORATO_FUZZ_ACTIONS=1000000 \
    >/dev/null
  part "asan: build" cmake --build build-asan -j"$jobs"
  (cd build-asan && part "asan: tests" ctest --output-on-failure --no-tests=error -j2)
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
  part "web: build" scripts/web.sh build >/dev/null
  part "web: tests" tests/web_test.sh
}

# Windows: the same sources cross-built with mingw-w64, tested under wine (the prefix is
# made before the build's tests are listed, which runs them under wine).
win() {
  native_driver
  part "win: prefix" scripts/win.sh prefix
  part "win: build" scripts/win.sh build >/dev/null
  part "win: tests" tests/win_test.sh
}

# One lane: its stages one after another, in a subshell that stops at the first failure,
# into build/lanes/N.log; each stage's time (the failed one's too) into STAGE.time.
lane() {
  local n=$1
  shift
  (for stage; do
     start=$SECONDS
     echo "$stage" >"build/lanes/$n.current"
     trap 'echo $((SECONDS - start)) >"build/lanes/$stage.time"' EXIT
     "$stage"
     echo $((SECONDS - start)) >"build/lanes/$stage.time"
   done
   rm "build/lanes/$n.current") >"build/lanes/$n.log" 2>&1
}

# The lanes side by side, each given as a list of stages ("native asan").
side_by_side() {
  native_driver  # (the page's and Windows' lanes share it; built before any lane starts)
  rm -rf build/lanes
  mkdir -p build/lanes
  local n pids=() failed=0 stage
  for n in $(seq "$#"); do
    lane "$n" ${!n} &
    pids+=($!)
  done
  for n in $(seq "$#"); do
    wait "${pids[n - 1]}" || failed=1
    cat "build/lanes/$n.log"
    for stage in ${!n}; do
      [ -f "build/lanes/$stage.time" ] || continue
      if [ "$(cat "build/lanes/$n.current" 2>/dev/null)" = "$stage" ]; then
        took+=("$stage: failed after $(minutes "$(cat "build/lanes/$stage.time")")")
      else
        took+=("$stage: $(minutes "$(cat "build/lanes/$stage.time")")")
      fi
    done
  done
  return $failed
}

lanes=()
builds=$(printf '%s\n' "${stages[@]}" | grep -xE 'native|asan' | tr '\n' ' ' || true)
[ -z "$builds" ] || lanes+=("${builds% }")
for stage in web win; do
  [[ " ${stages[*]} " != *" $stage "* ]] || lanes+=("$stage")
done
if [ ${#lanes[@]} -gt 1 ]; then
  step="lanes side by side" step_start=$SECONDS
  side_by_side "${lanes[@]}"
  took+=("$step (${lanes[*]}): $(minutes $((SECONDS - step_start)))")
  step=""
else
  for stage in "${stages[@]}"; do timed "$stage" "$stage"; done
fi
