#!/usr/bin/env bash
# Title -> Space -> level select; the pointer at the top opens the options
# bar; the upper-left quadrant starts level 1 with its count-down; arrow
# keys move the puck; P pauses; Escape goes back to the level select, a
# second Escape to the title, a third quits.
source "$(dirname "$0")/lib.sh"

[ -f "$YK_DATA/bitmap-level.ykd" ] || fail "no level-select art in $YK_DATA: build the data first"

start_x
make_home
start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
point 700 600
screenshot e2e-menu-title

act_until_changes e2e-menu-title e2e-menu-select 10000 press space || fail "Space did not leave the title"

point 300 5 # the top strip slides the options bar down
sleep 1
screenshot e2e-menu-bar-open
[ "$(differ e2e-menu-select e2e-menu-bar-open)" -gt 1000 ] || fail "the options bar did not open"

point 200 300 # below the bar: it closes; then the upper-left quadrant
sleep 1
screenshot e2e-menu-upper-left
act_until_changes e2e-menu-upper-left e2e-play-countdown 10000 click || fail "choosing a quadrant did not start play"

sleep 2 # past the count-down, when pulses are taken
screenshot e2e-play-before-arrows
arrows() { press Right; press Right; press Down; }
act_until_changes e2e-play-before-arrows e2e-play-after-arrows 100 arrows || fail "the arrows moved nothing"

press p
sleep 0.3
screenshot e2e-play-paused
alive

act_until_changes e2e-play-paused e2e-menu-again 10000 press Escape ||
  fail "Escape did not return to the level select"
act_until_changes e2e-menu-again e2e-title-again 10000 press Escape || fail "Escape did not return to the title"

press Escape
code=$(wait_exit)
[ "$code" = 0 ] || fail "exit code $code"
echo ok
