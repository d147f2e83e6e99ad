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
point() { xdotool mousemove --window "$win" "$1" "$2"; sleep 0.05; }
click() { xdotool mousedown 1; sleep 0.1; xdotool mouseup 1; }
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

start_game
win=$(wait_window)
sleep 0.5
close_and_check "title"

rm "$E2E_HOME/settings.ini"; make_home 2>/dev/null || printf '[game]\nfullscreen = 0\n' > "$E2E_HOME/settings.ini"
start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
press space
sleep 1
close_and_check "level select"

printf '[game]\nfullscreen = 0\n' > "$E2E_HOME/settings.ini"
start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
press space
sleep 1
point 200 300
sleep 0.5
click
sleep 2
kill -0 "$GAME_PID" || fail "the game ended before the close"
close_and_check "play"
echo ok
