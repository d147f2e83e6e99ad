#!/usr/bin/env bash
# The game killed (SIGKILL) at random moments of its start-up, title, level
# select, play and shut-down, up to twenty times (within some 50 s) over one home: settings.ini
# and score.yk are never missing, empty or half-written afterwards. Before
# some runs a setting is changed by hand so that the run has a write to make
# (the game writes only what changed). YK_KILL_SEED=N repeats a sequence.
source "$(dirname "$0")/lib.sh"

SEED="${YK_KILL_SEED:-$(( $(date +%s) % 32768 ))}"
RANDOM=$SEED
echo "seed $SEED"
RUNS=20
BUDGET=50 # seconds: on a loaded machine fewer runs, but at least MIN_RUNS
MIN_RUNS=12
STARTED=$SECONDS

start_x
make_home

ms() { sleep "$(printf '0.%03d' $(( RANDOM % $1 )))"; } # a random wait under N ms (N <= 1000)

keys() { grep -oE '^[A-Za-z0-9_]+ *=' "$E2E_HOME/settings.ini" | tr -d ' =' | sort -u; }

# A whole settings file: well-formed lines only, and every key it held before
# the run (the game adds keys, it never loses one).
check_settings() { # STAGE
  local f="$E2E_HOME/settings.ini" key
  [ -s "$f" ] || fail "$1: settings.ini missing or empty"
  grep -vqE '^(\[[a-z]+\]|[A-Za-z0-9_]+ *= *[A-Za-z0-9_.-]*|)$' "$f" && fail "$1: settings.ini has a broken line: $(cat "$f")"
  for key in $keys_before; do
    grep -qE "^$key *= *[A-Za-z0-9_.-]+$" "$f" || fail "$1: settings.ini lost $key: $(cat "$f")"
  done
  grep -q '^mine *= *7$' "$f" || fail "$1: settings.ini lost the player's own line: $(cat "$f")"
}

# Once the best scores exist they stay whole: 39 entries and the checksum.
check_scores() { # STAGE
  local f="$E2E_HOME/score.yk" i
  [ "$had_scores" = 1 ] || [ -e "$f" ] || return 0
  [ -s "$f" ] || fail "$1: score.yk missing or empty"
  for i in $(seq 0 38); do
    grep -qE "^$i *= *-?[0-9]+$" "$f" || fail "$1: score.yk lost entry $i: $(cat "$f")"
  done
  grep -qE '^dontcheat *= *-?[0-9]+$' "$f" || fail "$1: score.yk lost its checksum"
  had_scores=1
}

# A hand edit that gives the next run something to write.
edit_settings() {
  local f="$E2E_HOME/settings.ini"
  case $(( RANDOM % 3 )) in
    0) sed -i 's/^fullscreen *= *0$/fullscreen = 00/' "$f" ;; # written back as 0 at start-up
    1) sed -i '/^lastUsed/d' "$f" ;;                          # written again by the sound set-up
    2) sed -i 's/^maxvolumesounds *= *.*/maxvolumesounds = 416/' "$f" ;; # masked to 160, saved at shut-down
       # (the first such run adds the volumes to the file)
  esac
}

kill_game() {
  kill -9 "$GAME_PID" 2>/dev/null || true
  wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=""
}

printf '[mine]\nmine = 7\n' >> "$E2E_HOME/settings.ini"
had_audio=0
had_scores=0
keys_before=""
stages=(start-up title select play shut-down)
run=0
while [ $run -lt $RUNS ] && { [ $run -lt $MIN_RUNS ] || [ $(( SECONDS - STARTED )) -lt $BUDGET ]; }; do
  run=$(( run + 1 ))
  [ $(( RANDOM % 2 )) = 0 ] && [ "$had_audio" = 1 ] && edit_settings
  keys_before=$(keys)
  stage=${stages[$(( RANDOM % 5 ))]}
  start_game
  if [ "$stage" = start-up ]; then
    ms 600
  else
    win=$(wait_window)
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    sleep 0.2
    case $stage in
      title) ms 600 ;;
      select) press space; ms 600 ;;
      play) press space; sleep 0.4; point 200 300; click; ms 800; press Right ;;
      shut-down) press Escape; ms 300 ;;
    esac
  fi
  kill_game
  check_settings "run $run ($stage)"
  check_scores "run $run ($stage)"
  grep -q '^lastUsed' "$E2E_HOME/settings.ini" && had_audio=1
  echo "run $run: killed in $stage after $(( SECONDS - STARTED )) s"
done
[ "$had_audio" = 1 ] || fail "no run got as far as the sound set-up"
echo "ok: $run kills in $(( SECONDS - STARTED )) s"
