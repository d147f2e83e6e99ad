#!/usr/bin/env bash
# The real program on broken start-up input.
#  - No usable data folder (none, a dangling link, a file, a folder without
#    definition files): one line on stderr naming the folder looked in,
#    exit code 2, and no window: the graphics mode is never set.
#  - No control-1.ykd: keyboard and mouse come on, one line says so, and
#    Escape leaves the title with exit code 0; the file is not created.
source "$(dirname "$0")/lib.sh"
start_x

# Runs the program in a fresh folder prepared by the command given; sets
# OUT (stderr) and CODE.
run_in() { # SETUP-COMMAND...
  local here
  here=$(mktemp -d "$E2E_HOME/case-XXXXXX")
  (cd "$here" && "$@")
  printf '[game]\nfullscreen = 0\n' > "$here/settings.ini"
  CODE=0
  (cd "$here" && exec timeout 20 "$YK_BIN") >"$here/stdout.log" 2>"$here/stderr.log" || CODE=$?
  OUT=$(cat "$here/stderr.log")
  HERE=$here
}

no_data() { :; }
dangling_link() { ln -s no/such/folder data; }
data_a_file() { echo x > data; }
data_without_definitions() { mkdir -p data/gfx data/states; cp "$YK_DATA"/states/base.yks data/states/; }

check_refused() { # NAME PROBLEM
  local name=$1 problem=$2
  [ "$CODE" = 2 ] || fail "$name: exit code $CODE (want 2); stderr: $OUT"
  [ "$(printf '%s\n' "$OUT" | wc -l)" = 1 ] || fail "$name: more than one line on stderr: $OUT"
  case "$OUT" in
    *"$(cd "$HERE" && pwd -P)/data $problem"*) ;;
    *) fail "$name: the line does not name $HERE/data and '$problem': $OUT" ;;
  esac
  # The display set-up writes its key into settings.ini and the sound set-up
  # its driver: neither ran.
  [ "$(cat "$HERE/settings.ini")" = "$(printf '[game]\nfullscreen = 0')" ] ||
    fail "$name: start-up went on to the display: $(cat "$HERE/settings.ini")"
  [ ! -e "$HERE/score.yk" ] || fail "$name: a score file was written"
  echo "$name: $OUT"
}

for row in "no_data|is missing" "dangling_link|is a link that leads nowhere" \
           "data_a_file|is not a folder" "data_without_definitions|holds no definition files"; do
  name=${row%%|*} problem=${row#*|}
  run_in "$name"
  check_refused "$name" "$problem"
done

# The check comes before the graphics mode: without a display at all the
# data line is still the one given.
(unset DISPLAY; run_in no_data; check_refused "no_data, no display" "is missing")

# A data folder without control-1.ykd (a link for every other file).
cp -rs "$(cd "$YK_DATA" && pwd -P)" "$E2E_HOME/data"
rm "$E2E_HOME/data/control-1.ykd"
printf '[game]\nfullscreen = 0\n' > "$E2E_HOME/settings.ini"
open_game
for attempt in 1 2 3; do # a loaded machine may miss a short press
  press Escape
  for _ in $(seq 30); do kill -0 "$GAME_PID" 2>/dev/null || break 2; sleep 0.1; done
done
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "no control file: exit code $GAME_EXIT after Escape: $(cat "$E2E_HOME/stderr.log")"
[ "$(grep -c 'control-1.ykd' "$E2E_HOME/stderr.log")" = 1 ] &&
  grep -q 'data/control-1.ykd: missing or unreadable.*keyboard and mouse are on' "$E2E_HOME/stderr.log" ||
  fail "no control file: not said once: $(cat "$E2E_HOME/stderr.log")"
[ ! -e "$E2E_HOME/data/control-1.ykd" ] || fail "no control file: the game wrote one"
echo "no control file: left with Escape"
echo "ok"
