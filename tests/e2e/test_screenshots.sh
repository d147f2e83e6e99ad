#!/usr/bin/env bash
# Plays through the screens a player meets and keeps a picture of each:
# the title, the level select with its options bar, the first level of every
# body system, and the completion screen. They land in the test output as
# screenshot-*.png; docs/ holds a copy for the README (refresh it by hand
# when the art changes: cp build/test-output/screenshot-*.png docs/).
source "$(dirname "$0")/lib.sh"

shot() { # NAME: the game's window only
  import -window root -crop 1024x768+0+0 +repage "$YK_OUT/screenshot-$1.png"
  local colours
  colours=$(convert "$YK_OUT/screenshot-$1.png" -format '%k' info:)
  [ "$colours" -gt 500 ] || fail "screenshot $1 shows hardly anything ($colours colours)"
}
# The three systems done, so every quadrant opens: 35*3 - 36*5*3 + 38*7.
unlock_all() {
  { echo '[scores]'; for i in $(seq 0 38); do
      case $i in 35|36|38) v=1 ;; *) v=0 ;; esac; echo "$i = $v"; done
    echo 'dontcheat = 191'; } > "$E2E_HOME/score.yk"
}
play_system() { # NAME X Y: chooses the quadrant under (X, Y), plays a moment
  point "$2" "$3"
  sleep 0.5
  click
  sleep 4 # the count-down, then eggs and parasites at work
  shot "$1"
  press Escape
  sleep 1
}

start_x
make_home
unlock_all
open_game
shot title
press space
sleep 1
point 300 5 # the top strip slides the options bar down
sleep 1.5
shot menu
point 300 300
sleep 1
play_system circulatory 250 200
play_system digestive 800 600
play_system respiratory 800 200
play_system nervous 250 600
"$YK_WM_DELETE" "$win"
wait_game_exit

# The completion screen: a copy of the data whose nervous levels are won
# the moment they start.
data="$E2E_HOME/quick-data"
cp -rs "$(readlink -f "$YK_DATA")" "$data"
for l in 31 32 33 34 35; do
  rm "$data/states/play-$l.yks"
  printf '[include]\nparent=nervous\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=0\n[timing]\ncvar_hSecBeforeLevelMoveOn=20\n' \
    > "$data/states/play-$l.yks"
done
ln -sfn "$data" "$E2E_HOME/data"
open_game
press space
sleep 1
point 250 600
sleep 0.5
click
sleep 8
shot completion
"$YK_WM_DELETE" "$win"
wait_game_exit
echo ok
