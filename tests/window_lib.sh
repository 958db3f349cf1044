# What the real-window tests (xvfb_test.sh for the Linux window, win_xvfb_test.sh for the
# Windows one) share: waiting for what the screen shows, and clicking where the twips
# put a control; the moves of a whole game.  The script defines fail, shot (a screenshot of $win into
# $artefacts/NAME.png) and $lists (where lblA stands) before it calls these.

# Polls until a command succeeds, for at most $2 seconds; fails the test with $1 if not.
wait_for() {
  local what=$1 seconds=$2
  shift 2
  local until=$(( $(date +%s%N) + seconds * 1000000000 ))
  until "$@"; do
    [ "$(date +%s%N)" -lt "$until" ] || fail "waited ${seconds} s in vain for $what"
    sleep 0.05
  done
}
# How many colours a rectangle of a screenshot shows (1: nothing but the background).
colours_in() { convert "$artefacts/$1.png" -crop "$2" +repage -format %k info:; }
# The window is painted: the instructions stand in lblRM (100,107 500x266 after Load).
painted() { shot probe && [ "$(colours_in probe 480x240+110+117)" -gt 1 ]; }
# 問 (Frame1 at 64,13, its 65x40 rectangle at 256,16 inside the border) takes a click:
# its caption is drawn in black, not in the grey of a disabled button.
question_enabled() {
  shot probe && [ "$(convert "$artefacts/probe.png" -crop 30x24+338+38 +repage -colorspace gray \
                     -format '%[fx:int(minima*255)]' info:)" -lt 64 ]
}
question_disabled() { ! question_enabled; }
# A result list shows, in a screenshot named $1.
lists_shown() { shot "$1" && [ "$(colours_in "$1" "$lists")" -gt 1 ]; }

# Twips to pixels at 96 DPI, and the centre of a control: container offset plus its
# own rectangle (Frame1 lies at 960, 200 and its children count from inside its border).
px() { echo $(( ($1 + 7) / 15 )); }
# Input is queued and taken in order: only what time decides (a display's end) is waited for.
click_at() { xdotool mousemove --window "$win" "$1" "$2" click 1; }
click_in_frame1() {  # left top width height
  click_at $(( $(px 960) + 1 + $(px $(( $1 + $3 / 2 ))) )) $(( $(px 200) + 1 + $(px $(( $2 + $4 / 2 ))) ))
}
click_on_form() {
  click_at "$(px $(( $1 + $3 / 2 )))" "$(px $(( $2 + $4 / 2 )))"
}
# Waits up to ten seconds for the program $pid to end, and gives its exit status.
wait_exit() {
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { kill -9 "$pid"; fail "$1: still running"; }
  wait "$pid"
}

# The twenty answers by mouse: いいえ, はい, いいえ, ... (はい for the even questions).
answer_by_clicks() {
  for n in $(seq 20); do
    if [ $((n % 2)) -eq 0 ]; then click_on_form 2640 4560 1812 972; else click_on_form 4750 4560 1812 972; fi
  done
}
key() { xdotool key --window "$win" "$@"; }
# By the keyboard alone, from the focus on あ: prepare a game all at once, show it, and at
# its end (the focus is then on 問) ask the first question and go on to はい.
keyboard_to_the_first_answer() {
  key Tab Tab space       # from あ to 全部出す: prepared
  key Tab Tab space       # past 早 to 始: the display runs
  wait_for "the keyboard display to start" 10 question_disabled
  wait_for "the end of the keyboard display" 20 question_enabled
  key space               # question 1
  key Tab Tab Tab         # past 答 and 終了 to はい
}
