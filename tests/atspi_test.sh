#!/usr/bin/env bash
# The real program read the way a screen reader reads it: on a private X server, a
# session bus started here and the AT-SPI registry, with Debian's AT-SPI client for
# Python (atspi_read.py) asking the questions.
set -u
sorato=$1
here=$(dirname "$0")
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${SORATO_ATSPI_INNER:-}" ]; then
  exec env SORATO_ATSPI_INNER=1 dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$fdfile")
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
# Qt offers its tree on the bus when the desktop asks for it, or always with this.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$sorato" &
pid=$!
trap 'kill $pid $bus $xvfb 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR" "$fdfile"' EXIT
/usr/bin/python3 "$here/atspi_read.py" sorato
