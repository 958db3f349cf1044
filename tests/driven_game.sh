#!/usr/bin/env bash
# The driver's script of a whole game, for a test that plays the same game in a window:
#   driven_game.sh DRAWS PREPARE ADVANCE [--words] ANSWER...
# DRAWS: the random values (one argument, separated by spaces); PREPARE: btn1Jun or
# btn2Jun; ADVANCE: the display's length in ms; ANSWER: btnY or btnN, one a question
# (with --words, each question's word is printed before its answer).  Then 答, and the
# result lists, scores and verdicts are printed (lblA, lblB, lblAn, lblBn).
set -eu
draws=$1 prepare=$2 advance=$3
shift 3
words=0
if [ "${1:-}" = --words ]; then words=1; shift; fi
printf 'random %s\nclick %s\nclick btnST\nadvance %s\nclick btnQ\n' "$draws" "$prepare" "$advance"
for answer in "$@"; do
  [ $words = 1 ] && echo 'get lbl1.Caption'
  echo "click $answer"
done
echo 'click btnA'
for c in lblA lblB lblAn lblBn; do echo "get $c.Caption"; done
