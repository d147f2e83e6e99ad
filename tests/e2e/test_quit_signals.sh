#!/usr/bin/env bash
# kill (SIGTERM), a logout (SIGHUP) and Ctrl+C (SIGINT) quit from the title,
# from the level-select loop and in play as leaving through the title does:
# exit code 0, settings saved, best scores kept, never the library's own
# "Shutting down" abort. A second signal while quitting ends the game at
# once, leaving every file whole.
source "$(dirname "$0")/lib.sh"

# Level 2 at 100 and the first system done (35 = 1): dontcheat = 100*3 + 1*35*3.
write_scores() {
  { echo '[scores]'; for i in $(seq 0 38); do
      case $i in 1) v=100 ;; 35) v=1 ;; *) v=0 ;; esac; echo "$i = $v"; done
    echo 'dontcheat = 405'; } > "$E2E_HOME/score.yk"
}
scores_whole() {
  grep -qE '^1 *= *100$' "$E2E_HOME/score.yk" && grep -qE '^35 *= *1$' "$E2E_HOME/score.yk" &&
    grep -qE '^dontcheat *= *405$' "$E2E_HOME/score.yk"
}
# A shell starts background jobs with SIGINT ignored (and the game keeps
# what its starter ignored); a terminal's game has it as usual.
open_signalled_game() {
  printf '[game]\nfullscreen = 0\n' > "$E2E_HOME/settings.ini"
  (cd "$E2E_HOME" && exec env --default-signal=INT,HUP "$YK_BIN") >"$E2E_HOME/stdout.log" 2>"$E2E_HOME/stderr.log" &
  GAME_PID=$!
  win=$(wait_window)
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  sleep 0.5
}
go_to() { # title | select | play
  case $1 in
    title) ;;
    select) press space; sleep 1 ;;
    play) press space; sleep 1; point 200 300; sleep 0.5; click; sleep 2 ;;
  esac
  kill -0 "$GAME_PID" || fail "$1: the game ended before the signal"
}
no_library_abort() {
  ! grep -q 'Shutting down Allegro' "$E2E_HOME/stderr.log" || fail "$1: $(cat "$E2E_HOME/stderr.log")"
}

start_x
make_home
write_scores

for sig in TERM HUP INT; do
  for where in title select play; do
    open_signalled_game
    go_to "$where"
    kill -"$sig" "$GAME_PID"
    wait_game_exit
    [ "$GAME_EXIT" = 0 ] || fail "SIG$sig in $where: exit code $GAME_EXIT"
    no_library_abort "SIG$sig in $where"
    grep -q '^maxvolumemusic' "$E2E_HOME/settings.ini" || fail "SIG$sig in $where: settings not saved"
    scores_whole || fail "SIG$sig in $where: best scores lost: $(cat "$E2E_HOME/score.yk")"
    echo "SIG$sig in $where: quit"
  done
done

# Two signals: the second lands somewhere in the quit (or before the loop
# saw the first) and ends the game at once; whatever it interrupts, the
# settings file is the old one or the new one, and the scores are whole.
for gap in 0 0.02 0.1; do
  open_signalled_game
  go_to play
  kill -TERM "$GAME_PID"
  sleep "$gap"
  kill -INT "$GAME_PID" 2>/dev/null || true
  wait_game_exit
  case $GAME_EXIT in 0 | 130) ;; *) fail "two signals $gap s apart: exit code $GAME_EXIT" ;; esac
  no_library_abort "two signals"
  settings=$(cat "$E2E_HOME/settings.ini")
  volumes=$(grep -c '^maxvolume\(music\|sounds\|master\) = [0-9]*$' <<<"$settings" || true)
  grep -q '^fullscreen = 0$' <<<"$settings" && [ "$(tail -c1 "$E2E_HOME/settings.ini" | od -An -c | tr -d ' ')" = '\n' ] &&
    { [ "$volumes" = 0 ] || [ "$volumes" = 3 ]; } || fail "two signals $gap s apart: settings.ini half written: $settings"
  scores_whole || fail "two signals $gap s apart: best scores lost"
  echo "two signals $gap s apart: exit $GAME_EXIT, files whole"
done
echo ok
