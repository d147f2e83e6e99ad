#!/usr/bin/env bash
# The window's close button (WM_DELETE_WINDOW) quits from the title, from
# the level-select screen and in play, as leaving through the title does:
# exit code 0, settings saved, the best scores kept.
source "$(dirname "$0")/lib.sh"

# Level 2 at 100 and the first system done (35 = 1): dontcheat = 100*3 + 1*35*3.
write_scores() {
  { echo '[scores]'; for i in $(seq 0 38); do
      case $i in 1) v=100 ;; 35) v=1 ;; *) v=0 ;; esac; echo "$i = $v"; done
    echo 'dontcheat = 405'; } > "$E2E_HOME/score.yk"
}
close_and_check() { # WHERE
  "$YK_WM_DELETE" "$win"
  wait_game_exit
  [ "$GAME_EXIT" = 0 ] || fail "$1: exit code $GAME_EXIT after the close button"
  grep -q '^maxvolumemusic' "$E2E_HOME/settings.ini" || fail "$1: settings not saved: $(cat "$E2E_HOME/settings.ini")"
  grep -qE '^1 *= *100$' "$E2E_HOME/score.yk" && grep -qE '^35 *= *1$' "$E2E_HOME/score.yk" &&
    grep -qE '^dontcheat *= *405$' "$E2E_HOME/score.yk" || fail "$1: best scores lost: $(cat "$E2E_HOME/score.yk")"
  echo "$1: closed"
}

start_x
make_home
write_scores

open_game
close_and_check "title"

printf '[game]\nfullscreen = 0\n' > "$E2E_HOME/settings.ini"
open_game
press space
sleep 1
close_and_check "level select"

printf '[game]\nfullscreen = 0\n' > "$E2E_HOME/settings.ini"
open_game
press space
sleep 1
point 200 300
sleep 0.5
click
sleep 2
kill -0 "$GAME_PID" || fail "the game ended before the close"
close_and_check "play"
echo ok
