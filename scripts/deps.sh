#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing, so a
# second run costs a single dpkg query.  Usage: scripts/deps.sh run|web|windows|test
set -euo pipefail

# The sanitizer build's compiler: test.sh asks for clang++-$clang by this name.
clang=$(cat "$(dirname "$0")/clang-version")

# (python3 draws the icons, and serves the page in ./run.sh web)
run_pkgs=(build-essential cmake ninja-build pkg-config python3 qt6-base-dev libfontconfig-dev fonts-ipafont-gothic
          fontconfig)
test_pkgs=(libgtest-dev xvfb xauth xdotool x11-xserver-utils x11-utils openbox imagemagick "clang-$clang" "libclang-rt-$clang-dev"
           valgrind desktop-file-utils appstream dpkg-dev file strace
           dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0)
# The page: the compiler to WebAssembly, Node to run the driver built with it, and the
# browsers of the three engines the page is tested in (WebKitGTK's MiniBrowser comes
# with its WebDriver, and runs on an X server).
# (npm comes with some builds of nodejs, which then conflict with Debian's npm.)
web_pkgs=(emscripten nodejs chromium)
web_test_pkgs=(firefox-esr webkit2gtk-driver xvfb)
command -v npm >/dev/null || web_pkgs+=(npm)

# Windows: the cross compiler (the posix thread model), GoogleTest's sources to build for
# it, wine to run what it builds, NSIS and wixl for the installers, zip and unzip.
win_pkgs=(g++-mingw-w64-x86-64-posix googletest wine wine64 nsis wixl zip unzip)

case "${1:-run}" in
  run) pkgs=("${run_pkgs[@]}") ;;
  web) pkgs=("${run_pkgs[@]}" "${web_pkgs[@]}") ;;
  windows) pkgs=("${run_pkgs[@]}" "${win_pkgs[@]}") ;;
  test) pkgs=("${run_pkgs[@]}" "${test_pkgs[@]}" "${web_pkgs[@]}" "${web_test_pkgs[@]}" "${win_pkgs[@]}") ;;
  *) echo "usage: $0 run|web|windows|test" >&2; exit 64 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# GoogleTest for Windows: Debian has only its sources, built here once (without
# optimisation: it runs the tests once) into the user's cache, by the sources' version
# and the compiler's; scripts/win.sh prints where (`scripts/win.sh gtest`).
case "${1:-run}" in windows|test) "$(dirname "$0")/win.sh" gtest-build ;; esac
