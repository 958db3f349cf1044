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
# A window named ソラト is on the screen (mapped: a screenshot can be taken): its id in
# $win.  A search that meets a window going away while it walks the tree (a program
# before ending, wine's own windows) ends with an X error, and is made again by wait_for.
window_shown() { win=$(xdotool search --onlyvisible --name '^ソラト$' 2>/dev/null | head -n1) && [ -n "$win" ]; }
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
click_at() { xdotool mousemove --window "$win" "$1" "$2" click 1; sent=$((sent + 1)); }
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

# The answers by mouse, the 1st to the 20th or those asked: いいえ, はい, いいえ, ... (はい for
# the even questions).
answer_by_clicks() {
  for n in $(seq "${1:-1}" "${2:-20}"); do
    if [ $((n % 2)) -eq 0 ]; then click_on_form 2640 4560 1812 972; else click_on_form 4750 4560 1812 972; fi
  done
}

# The game's time in the hands of the test, for the tests' build of a program: it runs on
# the clock of SORATO_CLOCK ($clock_status, where it says what it has done), reading
# "advance MS" from $clock_in (a pipe; the caller starts the program with its standard
# input from there, once test_clock has made it, and with $sent and $at at 0: the releases
# of a button or key sent to it, and its clock).
sent=0 at=0
test_clock() {
  clock_in=$artefacts/clock.in clock_status=$artefacts/clock.txt
  rm -f "$clock_in"
  mkfifo "$clock_in"
  exec 7<>"$clock_in"  # held open, so that the program never reads the pipe's end
}
# Waits until the program has handled the $sent releases, then moves its clock on by $1 ms.
advance() {
  [ "$sent" -eq 0 ] || wait_for "input $sent to be handled" 20 grep -qx "inputs $sent" "$clock_status"
  at=$((at + $1))
  echo "advance $1" >&7
  wait_for "the game's clock at $at ms" 20 grep -qx "clock $at" "$clock_status"
}
# Starts a tests' build (the command line given) on the test's clock, in the background
# (under wine, $wine_paths set, the file by its Windows name).
on_test_clock() {
  : >"$clock_status"
  sent=0 at=0
  local status=$clock_status
  [ -z "${wine_paths:-}" ] || status="Z:${clock_status//\//\\}"
  SORATO_CLOCK=$status "$@" <"$clock_in" &
}

# The real-input cases of tests/input_cases.txt, each from a fresh start of the tests'
# build of the program, which prints the "state" expressions on its way out; the
# driver ($driver) plays the same events.  The game's time is the test's: the program
# runs on the clock of SORATO_CLOCK ($clock_status, the file where it says what it has
# done), reading "advance MS" from $clock_in (a pipe: the caller starts it with its
# standard input from there), and before each advance the test waits until the program
# has handled every release of a button or key it was sent, so each input falls where
# the table puts it on the game's clock, however long the machine takes.  The caller
# defines start_reporting (starts the tests' build with SORATO_REPORT and SORATO_CLOCK
# set, $win and $pid then set).  A window manager
# (openbox) runs meanwhile, as on a desktop: it minimises and restores the window, and
# closes it on Alt+F4, as its close box does.
away() {
  xdotool windowminimize --sync "$win"
  sleep 0.3
  xdotool windowactivate --sync "$win" 2>/dev/null
  sleep 0.3
}
enlarge() { xdotool windowsize --sync "$win" 900 700 2>/dev/null; sleep 0.3; }
close_window() { xdotool key alt+F4; }
input_cases() {
  openbox >/dev/null 2>&1 &
  local wm=$!
  wait_for "the window manager" 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window'
  input_cases_played
  local failed=$?
  kill $wm
  wait $wm 2>/dev/null
  return $failed
}
input_cases_played() {
  local table="$(dirname "${BASH_SOURCE[0]}")/input_cases.txt" failed=0 line name steps
  SORATO_REPORT=$(sed -n 's/^state: //p' "$table")
  SORATO_RANDOM=$(sed -n 's/^draws: //p' "$table")
  export SORATO_REPORT SORATO_RANDOM
  test_clock
  # Every control's place in twips, and where its container lies in the window.
  local -A rect=()
  local controls="btn1Jun btn2Jun btnST btnQ btnA btnEND btnY btnN Option1 Option2 Option3 Option4 lblKng"
  local values
  values=($(for c in $controls; do printf 'get %s.%s\n' "$c" Left "$c" Top "$c" Width "$c" Height; done |
            "$driver"))
  local i=0
  for c in $controls; do rect[$c]="${values[*]:i:4}"; i=$((i + 4)); done
  centre() {  # NAME -> x y in the window's pixels
    local l t w h ox=0 oy=0
    read -r l t w h <<<"${rect[$1]}"
    case $1 in
      btnY|btnN|lblKng) ;;
      Option1|Option2) ox=$(( $(px 960) + 1 + $(px 1500) + 1 )); oy=$(( $(px 200) + 1 + $(px 200) + 1 )) ;;
      Option3|Option4) ox=$(( $(px 960) + 1 + $(px 3200) + 1 )); oy=$(( $(px 200) + 1 + $(px 200) + 1 )) ;;
      *) ox=$(( $(px 960) + 1 )); oy=$(( $(px 200) + 1 )) ;;
    esac
    echo $(( ox + $(px $(( l + w / 2 ))) )) $(( oy + $(px $(( t + h / 2 ))) ))
  }
  seconds() { awk -v ms="$1" 'BEGIN { printf "%.3f", ms / 1000 }'; }
  while IFS= read -r line; do
    case $line in ''|'#'*|state:*|draws:*) continue ;; esac
    name=${line%%:*}
    steps=${line#*: }
    local script="random $SORATO_RANDOM"$'\n' closed=0
    IFS=';' read -ra parts <<<"$steps"
    for step in "${parts[@]}"; do
      read -ra w <<<"$step"
      case ${w[0]} in
        click|again|double)
          [ "${w[0]}" = again ] && script+="advance ${w[2]}"$'\n'
          script+="click ${w[1]}"$'\n'; [ "${w[0]}" = double ] && script+="click ${w[1]}"$'\n' ;;
        key) [ "${w[2]}" = - ] || for _ in $(seq "${w[3]:-1}"); do script+="click ${w[2]}"$'\n'; done ;;
        hold) script+="click ${w[3]}"$'\n' ;;
        press) script+="mousedown ${w[1]} ${w[2]} ${w[3]} 0 0"$'\n' ;;
        wait) script+="advance ${w[1]}"$'\n' ;;
        close) closed=1 ;;
      esac
    done
    start_reporting
    xdotool windowactivate --sync "$win" 2>/dev/null
    for step in "${parts[@]}"; do
      read -ra w <<<"$step"
      case ${w[0]} in
        click) xdotool mousemove --window "$win" $(centre "${w[1]}") click 1; sent=$((sent + 1)) ;;
        again)
          advance "${w[2]}"
          xdotool mousemove --window "$win" $(centre "${w[1]}") click 1; sent=$((sent + 1)) ;;
        double)
          xdotool mousemove --window "$win" $(centre "${w[1]}") click --repeat 2 --delay 60 1
          sent=$((sent + 2)) ;;
        key)  # (each press's keys released: the key and its modifiers)
          sleep 0.1; xdotool key --repeat "${w[3]:-1}" --delay 40 "${w[1]}"
          sent=$((sent + ${w[3]:-1} * (1 + $(tr -cd + <<<"${w[1]}" | wc -c)))) ;;
        hold)
          sleep 0.1; xdotool keydown "${w[1]}"; sleep "$(seconds "${w[2]}")"; xdotool keyup "${w[1]}"
          sent=$((sent + 1)) ;;
        away) away ;;
        enlarge) enlarge ;;
        press)
          local mods=() button=1
          (( w[3] & 1 )) && mods+=(shift)
          (( w[3] & 2 )) && mods+=(ctrl)
          (( w[3] & 4 )) && mods+=(alt)
          case ${w[2]} in 2) button=3 ;; 4) button=2 ;; esac
          xdotool mousemove --window "$win" $(centre "${w[1]}")
          [ ${#mods[@]} -gt 0 ] && xdotool keydown "${mods[@]}"
          xdotool click "$button"
          [ ${#mods[@]} -gt 0 ] && xdotool keyup "${mods[@]}"
          sent=$((sent + 1 + ${#mods[@]}))
          ;;
        wait) advance "${w[1]}" ;;
        close) close_window ;;
      esac
    done
    [ $closed = 1 ] || xdotool mousemove --window "$win" $(centre btnEND) click 1
    wait_exit "$name" >/dev/null
    local want
    want=$(printf '%s' "$script"; for e in $SORATO_REPORT; do echo "get $e"; done)
    if diff <(printf '%s\n' "$want" | "$driver") "$artefacts/state.txt" >"$artefacts/state.diff"; then
      echo "ok   input: $name"
    else
      echo "FAIL input: $name (the window's end state, then the driver's):"
      paste -d'|' "$artefacts/state.txt" <(printf '%s\n' "$want" | "$driver") | sed 's/^/       /'
      failed=1
    fi
  done <"$table"
  unset SORATO_REPORT SORATO_RANDOM
  return $failed
}
