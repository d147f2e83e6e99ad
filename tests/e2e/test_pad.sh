#!/usr/bin/env bash
# A game pad plugged in while the game runs (a virtual pad, worked through
# the test seam YK_TEST_PAD_FIFO): A on the title opens the level select;
# up, then left puts the pointer on the circulatory system, A starts it;
# Start pauses and resumes; Back goes back to the level select. Then,
# without controller support on the machine, the game says so once and
# plays on with the keyboard.
source "$(dirname "$0")/lib.sh"

[ -f "$YK_DATA/bitmap-level.ykd" ] || fail "no level-select art in $YK_DATA: build the data first"

pad() { echo "$*" >&7; }
# Held long enough for several polls to see it, as press does for a key.
pad_press() { pad press "$1"; sleep 0.3; pad release "$1"; sleep 0.15; }

start_x
make_home
fifo="$E2E_HOME/pad.fifo"
mkfifo "$fifo"
exec 7<>"$fifo" # held open both ways: writing never blocks, the game never sees an end
export YK_TEST_PAD_FIFO="$fifo"
start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
point 700 600 # the lower right system, until the pad moves the pointer
screenshot e2e-pad-title

pad attach # plugged in after start-up
sleep 0.5
act_until_changes e2e-pad-title e2e-pad-select 10000 pad_press A || fail "A did not leave the title"

act_until_changes e2e-pad-select e2e-pad-upper-right 10000 pad_press Up || fail "Up did not move the pointer up"
act_until_changes e2e-pad-upper-right e2e-pad-upper-left 10000 pad_press Left ||
  fail "Left did not move the pointer left"
# The pad's pointer lights what the mouse does at the upper-left system's
# row and column (only the spinning cursor and the swaying hints differ).
point 256 192
sleep 0.3
screenshot e2e-pad-upper-left-mouse
same=$(differ e2e-pad-upper-left e2e-pad-upper-left-mouse)
moved=$(differ e2e-pad-select e2e-pad-upper-left)
echo "pad pointer against the mouse: $same pixels differ; against the first highlight: $moved"
[ "$same" -lt $((moved / 4)) ] || fail "up, left did not light the circulatory system ($same vs $moved)"

act_until_changes e2e-pad-upper-left e2e-pad-countdown 10000 pad_press A || fail "A did not start the level"
sleep 2 # past the count-down
screenshot e2e-pad-play
act_until_changes e2e-pad-play e2e-pad-paused 1000 pad_press Start || fail "Start did not pause"
# Resumed, the frame is the one before the pause again (nothing moves in
# the first level until it is steered), without "Paused".
resumed=""
for attempt in 1 2 3; do
  pad_press Start
  sleep 1
  alive
  screenshot e2e-pad-resumed
  [ "$(differ e2e-pad-play e2e-pad-resumed)" -lt 300 ] && { resumed=yes; break; }
done
[ -n "$resumed" ] || fail "Start did not resume"
act_until_changes e2e-pad-resumed e2e-pad-select-again 10000 pad_press Back ||
  fail "Back did not return to the level select"
again=$(differ e2e-pad-upper-left e2e-pad-select-again)
echo "level select again against the first: $again pixels differ"
[ "$again" -lt $((moved / 4)) ] || fail "Back did not show the level select ($again pixels differ)"

pad detach # pulled out: the keyboard still works
sleep 0.3
alive
act_until_changes e2e-pad-select-again e2e-pad-title-again 10000 press Escape || fail "Escape did not return to the title"
press Escape
code=$(wait_exit)
[ "$code" = 0 ] || fail "exit code $code"
grep -q "pad command\|Game pads are off" "$E2E_HOME/stderr.log" && fail "stderr: $(cat "$E2E_HOME/stderr.log")"
exec 7>&-

: "${YK_FAIL_PADS:?path of the library that refuses controller support}"
LD_PRELOAD="$YK_FAIL_PADS" start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
point 700 600
screenshot e2e-nopads-title
act_until_changes e2e-nopads-title e2e-nopads-select 10000 press space || fail "without pads, Space did not start"
act_until_changes e2e-nopads-select e2e-nopads-title-again 10000 press Escape || fail "without pads, Escape did not return"
press Escape
code=$(wait_exit)
[ "$code" = 0 ] || fail "without pads: exit code $code"
said=$(grep -c "Game pads are off" "$E2E_HOME/stderr.log" || true)
[ "$said" = 1 ] || fail "the missing controller support was said $said times: $(cat "$E2E_HOME/stderr.log")"
grep "Game pads are off" "$E2E_HOME/stderr.log"
echo ok
