#!/usr/bin/env bash
# The Windows program, build-win/sorato.exe, in a real window: under wine (the build's own
# prefix, its X11 driver) on a private Xvfb, driven by xdotool as a user would:
#  1. a click on 終了 ends it with status 0;
#  2. whole games of both modes by mouse clicks alone end in the result lists, the
#     driver's results for the same draws, and the question numbers show whole;
#  4. the options あ 漢 早 遅 are filled with their light cyan;
#  5. closing the window during a display (WM_CLOSE, as the close box and Alt+F4 send it)
#     ends the program;
#  6. on a screen of 192 DPI the window is twice the size, and 終了 still ends it;
#  7. the real-input cases (input_cases.txt) end as the driver's, in the tests' build,
#     whole games by the keyboard alone among them.
# Screenshots of the moments the README shows go to the artefacts folder (win-*.png).
# The games run in the tests' build, sorato-test.exe, whose draws come from SORATO_RANDOM
# and which prints its result labels on the way out; the native driver ($3) plays the
# same draws.
set -u
build=$(cd "$1" && pwd)
artefacts=$2
driver=$3
mkdir -p "$artefacts"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "FAIL: $*"; exit 1; }

wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
wineserver -w

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1600x1200x24 -noreset -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb=$!
# Afterwards the prefix is as the other tests want it: no display, 96 DPI.
restore() {
  wineserver -k 2>/dev/null
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -w
}
trap 'kill $xvfb 2>/dev/null; restore; rm -f "$fdfile"' EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$fdfile")

# (the pointer first goes to a corner of the window, where no tooltip comes up)
shot() { xdotool mousemove --window "$win" 2 2; import -window "$win" "$artefacts/$1.png" 2>/dev/null; }
lists="123x280+24+104"  # where lblA stands
source "$(dirname "$0")/window_lib.sh"

program=sorato.exe
start() {
  wine "$build/$program" >"$artefacts/results.txt" &
  pid=$!
  wait_for "the window" 20 window_shown
  wait_for "the first paint" 20 painted
}

# 1. 終了 ends the program.
start
shot win-start
# 4. あ (Option1 inside Frame2 inside Frame1): its right end, past the caption, is light cyan.
colour=$(convert "$artefacts/win-start.png" -crop 1x1+196+38 +repage -format '%[pixel:p]' info:)
case $colour in "srgb(192,255,255)"|"rgb(192,255,255)") ;; *) fail "あ is filled with $colour, not light cyan" ;; esac
echo "ok   the options are filled with their colour ($colour)"
click_in_frame1 6200 240 1050 600   # 終了
wait_exit "after 終了"
status=$?
[ "$status" -eq 0 ] || fail "終了: status $status"
echo "ok   終了 ends the program with status 0"

# The draws of the games (bank entries 2, 7, 12, ..., the odd positions shown), and what
# the driver makes of the same game: the answers as given below, then the results.
draws=$(awk 'BEGIN { for (i = 0; i < 20; i++) printf "%.4f ", (i * 5 + 2.5) / 100;
                    for (i = 0; i < 10; i++) printf "%.4f ", (i * 2 + 1.5) / 20 }')
driven() {  # prepare-button advance answer...
  bash "$(dirname "$0")/driven_game.sh" "$draws" "$@" | "$driver"
}
same_as_driver() {  # what ... (the driver's arguments)
  local what=$1
  shift
  diff <(driven "$@") "$artefacts/results.txt" >/dev/null ||
    fail "$what: the window's results are not the driver's: $(cat "$artefacts/results.txt" | head -3)"
}
export SORATO_RANDOM=$draws
wine_paths=1
test_clock

# 2. Whole games by clicks, each display mode, on the test's clock.
for mode in one all; do
  on_test_clock wine "$build/sorato-test.exe" >"$artefacts/results.txt"
  pid=$!
  wait_for "the window" 20 window_shown
  wait_for "the first paint" 20 painted
  if [ $mode = one ]; then click_in_frame1 150 200 1250 360; else click_in_frame1 180 620 1250 360; fi
  click_in_frame1 2136 240 972 600    # 始
  wait_for "the display to start" 10 question_disabled
  advance 1500
  shot "win-$mode-display"
  if [ $mode = one ]; then advance 34500; else advance 10500; fi  # to the display's end
  wait_for "the end of the display" 10 question_enabled
  click_in_frame1 3840 240 972 600    # 問
  shot win-question
  answer_by_clicks 1 19
  # The twentieth question's number, both digits: ink at both ends of lblQn (16 by 17
  # at 346,70 in the window).
  shot win-twentieth
  inked=$(convert "$artefacts/win-twentieth.png" -crop 16x17+346+70 +repage -colorspace gray \
            -threshold 50% -negate -trim -format '%w' info: 2>/dev/null || echo 0)
  [ "$inked" -ge 9 ] || fail "question 20's number is $inked pixels wide: not both digits"
  answer_by_clicks 20
  click_in_frame1 5000 240 972 600    # 答
  wait_for "a result list after 答 ($mode)" 10 lists_shown "win-$mode-results"
  kill -0 "$pid" 2>/dev/null || fail "the program ended during the game"
  click_in_frame1 6200 240 1050 600
  wait_exit "after a whole game"
  answers=$(for n in $(seq 20); do if [ $((n % 2)) -eq 0 ]; then echo btnY; else echo btnN; fi; done)
  if [ $mode = one ]; then
    same_as_driver "one at a time" btn1Jun 36000 $answers
  else
    same_as_driver "all at once" btn2Jun 12000 $answers
  fi
  echo "ok   a whole game by clicks, $mode at a time, ends in the driver's result lists," \
       "question 20's number whole ($inked pixels of ink across)"
done
unset SORATO_RANDOM

# The ticks while the window is being moved, where X runs the move loop.
SORATO_MOVE_LOOP=1 wine "$build/sorato_win_tests.exe" --gtest_filter='*BeingMoved*' >"$artefacts/move.txt" 2>&1 ||
  fail "ticks while the window is moved: $(tail -5 "$artefacts/move.txt")"
echo "ok   the ticks come while the window is being moved ($(grep -o 'ran [0-9]* ms, [0-9]* ticks' "$artefacts/move.txt"))"

# 7. The real-input cases.
start_reporting() {
  on_test_clock wine "$build/sorato-test.exe" >"$artefacts/state.txt"
  pid=$!
  wait_for "the window" 20 window_shown
  wait_for "the first paint" 20 painted
}
input_cases || fail "real input"

program=sorato.exe
start

# 5. Closed during a display (Alt+F4, which Windows turns into the close box's WM_CLOSE):
# the program ends at once, nothing asked.
click_in_frame1 150 200 1250 360      # 順に出す
click_in_frame1 2136 240 972 600      # 始
wait_for "a display to start" 10 question_disabled
xdotool key --window "$win" alt+F4
wait_exit "closed during a display"
status=$?
[ "$status" -eq 0 ] || fail "closed during a display: status $status"
echo "ok   closed by Alt+F4 during a display, the program ends with status 0"

# 6. A screen of 192 DPI (as Windows' display settings set it): the window, aware of it
# through its manifest, is twice the size, its text drawn at the full resolution.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
wineserver -w
start_hidpi() {
  wine "$build/sorato.exe" &
  pid=$!
  wait_for "the window at 192 DPI" 20 window_shown
  sleep 2
}
start_hidpi
width=$(xdotool getwindowgeometry "$win" | sed -n 's/ *Geometry: \([0-9]*\)x.*/\1/p')
shot win-hidpi
[ "$width" -ge 1240 ] && [ "$width" -le 1260 ] || fail "at 192 DPI the window is $width pixels wide, not twice 625"
click_at $(( 2 * ($(px 960) + 1 + $(px $(( 6200 + 525 )))) )) $(( 2 * ($(px 200) + 1 + $(px $(( 240 + 300 )))) ))
wait_exit "at 192 DPI"
status=$?
[ "$status" -eq 0 ] || fail "終了 at 192 DPI: status $status"
echo "ok   at 192 DPI the window is $width pixels wide and 終了 ends it"
