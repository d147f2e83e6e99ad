#!/usr/bin/env bash
# The real program under a private X server: milliseconds from launch to
# the title on the screen (several runs), and resident memory at the title
# and during play. Run from the repository after a build:
#   bench/program/measure.sh [runs]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export YK_BIN="$ROOT/build/yolvar-krandel" YK_DATA="$ROOT/build/data" YK_OUT="$ROOT/build/test-output"
source "$ROOT/tests/e2e/lib.sh"
RUNS="${1:-5}"

PROBE="$E2E_HOME/first_frame_probe.so"
gcc -shared -fPIC -O2 -o "$PROBE" "$(dirname "${BASH_SOURCE[0]}")/first_frame_probe.c" -ldl

rss() { awk '/^(VmRSS|VmHWM):/ { printf "%s %.1f MiB  ", $1, $2 / 1024 }' "/proc/$GAME_PID/status"; echo; }

# Launches the game with the probe and waits for its first frame.
launch() {
  rm -f "$E2E_HOME/first-frame"
  export YK_PROBE_OUT="$E2E_HOME/first-frame" YK_T0_NS="$(date +%s%N)"
  (cd "$E2E_HOME" && LD_PRELOAD="$PROBE" exec "$YK_BIN") >"$E2E_HOME/stdout.log" 2>"$E2E_HOME/stderr.log" &
  GAME_PID=$!
  for _ in $(seq 100); do
    [ -s "$E2E_HOME/first-frame" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "game exited: $(cat "$E2E_HOME/stderr.log")"
    sleep 0.05
  done
  fail "no frame reached the screen"
}

quit() { kill "$GAME_PID" 2>/dev/null || true; wait "$GAME_PID" 2>/dev/null || true; GAME_PID=""; }

start_x
make_home
echo "start-up to the title, ms:"
for i in $(seq "$RUNS"); do
  launch
  echo "  $(cat "$E2E_HOME/first-frame")"
  quit
done

launch
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 1
echo -n "title:  "; rss
press space
sleep 1
xdotool mousemove --window "$win" 700 600; sleep 0.2 # the lower-right quadrant: level 21
xdotool mousedown 1; sleep 0.1; xdotool mouseup 1
sleep 4
screenshot measure-play
echo -n "play:   "; rss
quit
