#!/usr/bin/env bash
# The real program on a real X server (Xvfb), driven by xdotool as a user would:
#  1. with no display it says so in one line and exits with status 1 (and the tests'
#     build refuses a draw it cannot take);
#  2. a click on 終了 ends it with status 0;
#  3. a whole game by mouse clicks alone ends in the result lists (a screenshot of each
#     stage is kept in the artefacts folder), and the program, traced, creates no file or
#     folder;
#  4. without the Japanese fonts it still starts, and names the package that has them;
#  5. on a screen of 192 DPI the window is twice the size, and 終了 still ends it;
#  6. the options あ 漢 早 遅 are filled with their light cyan;
#  7. the real-input cases (input_cases.txt) end as the driver's, in the tests' build,
#     whole games by the keyboard alone among them.
set -u
sorato=$1
artefacts=$2
sorato_test=$3
driver=$4
mkdir -p "$artefacts"
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
fail() { echo "FAIL: $*"; exit 1; }

# 1. No display.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$sorato" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "without a display: status $status, expected 1 ($out)"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "without a display: more than one line: $out"
case $out in sorato:*display*) ;; *) fail "without a display: unclear message: $out" ;; esac
echo "ok   no display: $out"
# A draw the tests' build cannot take is refused before any window, never an abort.
out=$(SORATO_RANDOM="0.5 1.5" QT_QPA_PLATFORM=offscreen "$sorato_test" 2>&1)
status=$?
[ "$status" -eq 2 ] && printf '%s\n' "$out" | grep -qx "error: SORATO_RANDOM: random value '1.5' is not below 1 as a float" ||
  fail "SORATO_RANDOM=1.5: status $status ($out)"

# A private X server on the first free display number.
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR" "$fdfile"' EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$fdfile")
unset QT_QPA_PLATFORM

start() {
  "$sorato" &
  pid=$!
  wait_for "the window" 10 window_shown
  wait_for "the first paint" 10 painted
}
shot() { import -window "$win" "$artefacts/$1.png" 2>/dev/null || fail "screenshot $1"; }
lists="123x280+24+104"              # where lblA stands
source "$(dirname "$0")/window_lib.sh"

# 2. 終了 ends the program.
start
click_in_frame1 6200 240 1050 600   # 終了
wait_exit "after 終了"
status=$?
[ "$status" -eq 0 ] || fail "終了: status $status"
echo "ok   終了 ends the program with status 0"

# 4 (first). Without the Japanese fonts the game still starts, and says which package
# brings them, in one line.
nofonts=$(mktemp -d)
cat >"$nofonts/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$nofonts/none</dir><cachedir>$nofonts/cache</cachedir></fontconfig>
CONF
FONTCONFIG_FILE=$nofonts/fonts.conf "$sorato" 2>"$nofonts/stderr" &
pid=$!
wait_for "the window without fonts" 10 window_shown
wait_for "the first paint without fonts" 10 painted
click_in_frame1 6200 240 1050 600
wait_exit "without fonts"
status=$?
[ "$status" -eq 0 ] || fail "without fonts: status $status"
[ "$(wc -l <"$nofonts/stderr")" -eq 1 ] && grep -q 'fonts-ipafont-gothic' "$nofonts/stderr" ||
  fail "without fonts: expected one line naming fonts-ipafont-gothic, got: $(cat "$nofonts/stderr")"
echo "ok   without the Japanese fonts: $(cat "$nofonts/stderr")"
rm -rf "$nofonts"

# 3. A whole game by clicks, under strace: prepare all at once, show, ask, answer, score.
trace=$(mktemp -d)
strace -ff -e trace=%file,mkdir -o "$trace/call" "$sorato" &
pid=$!
wait_for "the window under strace" 10 window_shown
wait_for "the first paint under strace" 20 painted
shot start
# 6. あ (Option1: Frame1 at 64,13, Frame2 at 100,13 inside it, each with a 1-pixel
# border; the option 32 by 12 at 0,9): its right end, past the caption, is light cyan.
colour=$(convert "$artefacts/start.png" -crop 1x1+196+38 +repage -format '%[pixel:p]' info:)
case $colour in "srgb(192,255,255)"|"rgb(192,255,255)") ;; *) fail "あ is filled with $colour, not light cyan" ;; esac
echo "ok   the options are filled with their colour ($colour)"
click_in_frame1 180 620 1250 360    # 全部出す
click_in_frame1 2136 240 972 600    # 始
wait_for "the display to start" 5 question_disabled
shot all-at-once
wait_for "the end of the display" 40 question_enabled   # it lasts 12 s
click_in_frame1 3840 240 972 600    # 問
shot question
answer_by_clicks
shot before-answer
[ "$(colours_in before-answer "$lists")" -eq 1 ] || fail "result list shown too early"
click_in_frame1 5000 240 972 600    # 答
wait_for "a result list after 答" 5 lists_shown results
kill -0 "$pid" 2>/dev/null || fail "the program ended during the game"
click_in_frame1 6200 240 1050 600
wait_exit "after a whole game"
status=$?
[ "$status" -eq 0 ] || fail "終了 after a game: status $status"
echo "ok   a whole game by clicks ends in the result lists ($artefacts/results.png)"
# What was created: a folder made, or a file opened to be created or written.
made=$(cat "$trace"/call.* |
       grep -E '^(mkdir|mkdirat|creat|rename|renameat2?|link|linkat|symlink|symlinkat|unlink|unlinkat|truncate)\(|O_CREAT|O_WRONLY|O_RDWR' |
       grep -vE '= -1 E|"/dev/|"/proc/' || true)
[ -z "$made" ] || fail "the program created or wrote: $made"
echo "ok   the program creates and writes no file ($(cat "$trace"/call.* | grep -c .) file calls traced)"
rm -rf "$trace"

# 7. The real-input cases.
start_reporting() {
  on_test_clock "$sorato_test" >"$artefacts/state.txt"
  pid=$!
  wait_for "the window" 10 window_shown
  wait_for "the first paint" 10 painted
}
input_cases || fail "real input"

# 5. A screen of 192 DPI (as the desktop tells it, in the Xft.dpi resource): twice the size.
fdfile2=$(mktemp)
Xvfb -displayfd 3 -screen 0 1600x1200x24 -dpi 192 -noreset -nolisten tcp 3>"$fdfile2" 2>/dev/null &
xvfb2=$!
trap 'kill $xvfb $xvfb2 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR" "$fdfile" "$fdfile2"' EXIT
for _ in $(seq 100); do [ -s "$fdfile2" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$fdfile2")
printf 'Xft.dpi:\t192\n' | xrdb -nocpp -load - || fail "xrdb"
start
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/ *Geometry: //p')
[ "$geometry" = "1266x934" ] || fail "at 192 DPI the window is $geometry, not 1266x934"
shot hidpi
# 終了, at twice the pixel position.
click_at $(( 2 * ($(px 960) + 1 + $(px $(( 6200 + 525 )))) )) $(( 2 * ($(px 200) + 1 + $(px $(( 240 + 300 )))) ))
wait_exit "at 192 DPI"
status=$?
[ "$status" -eq 0 ] || fail "終了 at 192 DPI: status $status"
echo "ok   at 192 DPI the window is $geometry and 終了 ends it"
