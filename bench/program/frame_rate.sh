#!/usr/bin/env bash
# Frames a second that reach the X server, for the real program's states
# against a bare loop that only presents a full-screen bitmap (the floor),
# measured in the same run on the same private X server; then the longest
# stall around a restart and around a level change. Run after a build:
#   bench/program/frame_rate.sh [seconds per state]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
HERE="$(dirname "${BASH_SOURCE[0]}")"
export YK_BIN="$ROOT/build/yolvar-krandel" YK_DATA="$ROOT/build/data" YK_OUT="$ROOT/build/test-output"
source "$ROOT/tests/e2e/lib.sh"
SECS="${1:-3}"

PROBE="$E2E_HOME/present_probe.so" BARE="$E2E_HOME/bare_present"
gcc -shared -fPIC -O2 -o "$PROBE" "$HERE/present_probe.c" -ldl
gcc -O2 -o "$BARE" "$HERE/bare_present.c" $(pkg-config --cflags --libs allegro)
export YK_PROBE_OUT="$E2E_HOME/probe" YK_PROBE_RESET="$E2E_HOME/probe-reset"

probe() { cat "$YK_PROBE_OUT" 2>/dev/null || echo "0 0 0"; }
# Frames a second over the next SECS seconds, by the probe's own clock.
rate() {
  local f0 t0 f1 t1 _
  read -r f0 t0 _ <<<"$(probe)"
  sleep "$SECS"
  read -r f1 t1 _ <<<"$(probe)"
  awk -v a="$f0" -v b="$f1" -v s="$t0" -v e="$t1" 'BEGIN { printf "%.0f\n", (e > s ? (b - a) / (e - s) : 0) }'
}
# The longest gap between two frames since the last reset, in ms.
longest() { probe | cut -d' ' -f3; }
reset_gap() { : >"$YK_PROBE_RESET"; sleep 0.6; }
rss() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$GAME_PID/status"; }

start_x
make_home
# Uncapped, in a plain 1024 x 768 window: the cost of a frame, not the pace.
printf '[game]\nfullscreen = 0\nscaling = fill\nmaxfps = 0\n' > "$E2E_HOME/settings.ini"
# Every quadrant open: the circulatory, respiratory and digestive systems done.
{ echo '[scores]'; for i in $(seq 0 38); do
    case $i in 35|36|38) v=1 ;; *) v=0 ;; esac; echo "$i = $v"; done
  echo 'dontcheat = 191'; } >"$E2E_HOME/score.yk"

# The bare loop, before and after the game: a shared machine's load moves
# under a run, and two floors that disagree say so.
bare_rate() {
  LD_PRELOAD="$PROBE" "$BARE" $((SECS + 2)) &
  local pid=$!
  sleep 1
  rate
  wait "$pid"
  rm -f "$YK_PROBE_OUT"
}
bare_before=$(bare_rate)
bare=$bare_before

raw=()
measured() { raw+=("${1// /_} $2"); } # NAME FPS, compared once both floors are known
results=()
report() { # NAME FPS
  results+=("$(printf '%-28s %6s fps   %.2f of the bare loop' "$1" "$2" "$(awk -v a="$2" -v b="$bare" 'BEGIN { print b ? a / b : 0 }')")")
}

launch() {
  (cd "$E2E_HOME" && LD_PRELOAD="$PROBE" exec "$YK_BIN") >"$E2E_HOME/stdout.log" 2>"$E2E_HOME/stderr.log" &
  GAME_PID=$!
  win=$(wait_window)
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  point 512 700 # away from every quadrant's name
  sleep 1
}
quit() { kill -9 "$GAME_PID" 2>/dev/null || true; wait "$GAME_PID" 2>/dev/null || true; GAME_PID=""; }
choose() { # X Y: a quadrant of the level-select screen
  point "$1" "$2"; sleep 0.5; click; sleep 4 # the count-down, then the level at work
}

launch
measured "title" "$(rate)"
title_rss=$(rss)
press space; sleep 1.5
measured "level select" "$(rate)"
for sys in "circulatory 250 200" "respiratory 800 200" "digestive 800 600" "nervous 250 600"; do
  read -r name x y <<<"$sys"
  choose "$x" "$y"
  measured "first level: $name" "$(rate)"
  [ "$name" = circulatory ] && { play_rss=$(rss); reset_gap; press space; sleep 2; restart_gap=$(longest); }
  press Escape; sleep 1
done
quit

# The last level (the stem cells), the heaviest to draw, and a level change:
# a copy of the data whose level 31 is level 35 and whose level 1 is won at
# once and moves on to level 2 after a second.
data="$E2E_HOME/probe-data"
cp -rs "$(readlink -f "$YK_DATA")" "$data"
ln -sfn "$(readlink -f "$YK_DATA")/states/play-35.yks" "$data/states/play-31.yks"
rm "$data/states/play-1.yks"
printf '[include]\nparent=circulatory\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=0\n[timing]\ncvar_hSecBeforeLevelMoveOn=100\n' \
  >"$data/states/play-1.yks"
ln -sfn "$data" "$E2E_HOME/data"
launch
press space; sleep 1.5
choose 250 600
measured "heaviest level (35)" "$(rate)"
press Escape; sleep 1
point 250 200; sleep 0.5; click; sleep 0.3
reset_gap; sleep 3
change_gap=$(longest)
quit

bare_after=$(bare_rate)
bare=$(( (bare_before + bare_after) / 2 ))
results=()
for line in "${raw[@]}"; do read -r name fps <<<"$line"; report "${name//_/ }" "$fps"; done

echo "presented frames a second under Xvfb (1024x768x16 window), ${SECS} s each:"
printf '%-28s %6s fps   (%s before the game, %s after)\n' "bare present loop" "$bare" "$bare_before" "$bare_after"
printf '%s\n' "${results[@]}"
awk -v a="$bare_before" -v b="$bare_after" 'BEGIN { if (a > 1.1 * b || b > 1.1 * a)
  print "the two bare loops differ by more than a tenth: the machine was busy, run again" }'
echo "longest frame gap around a restart (Space in level 1): $restart_gap ms"
echo "longest frame gap around a level change (1 to 2):     $change_gap ms"
echo "resident memory: title $title_rss MiB, level 1 $play_rss MiB"

# Full screen on today's monitors, with a window manager: uncapped, against
# a bare loop that presents a picture of the scaled size without scaling
# (before and after the game); then, with the default settings (paced to
# the display), how much of a core the game and the X server use.
ln -sfn "$YK_DATA" "$E2E_HOME/data"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
cpu() { # PID...: per cent of a core each over SECS seconds, in one line
  local before=() after=() pid i=0 hz; hz=$(getconf CLK_TCK)
  for pid in "$@"; do before+=("$(ticks "$pid")"); done
  sleep "$SECS"
  for pid in "$@"; do after+=("$(ticks "$pid")"); done
  for pid in "$@"; do
    printf '%s%%  ' "$(( (after[i] - before[i]) * 100 / (SECS * hz) ))"; i=$((i + 1))
  done
}
launch_full() { # the game full screen; sets rect (the picture on the screen)
  (cd "$E2E_HOME" && LD_PRELOAD="$PROBE" exec "$YK_BIN") >"$E2E_HOME/stdout.log" 2>"$E2E_HOME/stderr.log" &
  GAME_PID=$!
  win=$(wait_window)
  sleep 2
  screenshot probe-full
  rect=$(picture_rect probe-full)
  read -r px py <<<"$(to_screen "$rect" 512 700)"
  xdotool mousemove "$px" "$py"
  sleep 0.5
}
full_level() { # to level 1, through the level select
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  press space; sleep 1.5
  read -r px py <<<"$(to_screen "$rect" 250 200)"
  xdotool mousemove "$px" "$py"; sleep 0.5; click; sleep 4
}
full=()
for size in 1920x1080 3840x2160; do
  stop_x
  start_x "$size"
  start_wm
  IFS=x read -r W H <<<"$size"
  read -r PW PH <<<"$(awk -v w="$W" -v h="$H" 'BEGIN { if (w * 3 > h * 4) printf "%d %d", int(h * 4 / 3 + 0.5), h;
                                                     else printf "%d %d", w, int(w * 3 / 4 + 0.5) }')"
  floor() {
    LD_PRELOAD="$PROBE" "$BARE" $((SECS + 2)) "$W" "$H" "$PW" "$PH" &
    local pid=$!
    sleep 1
    rate
    wait "$pid"
    rm -f "$YK_PROBE_OUT"
  }
  fb=$(floor)
  printf '[game]\nfullscreen = 1\nscaling = fill\nmaxfps = 0\n' > "$E2E_HOME/settings.ini"
  launch_full
  ft=$(rate)
  full_level
  fl=$(rate)
  quit
  fa=$(floor)
  fb2=$(( (fb + fa) / 2 ))
  full+=("$(printf 'full screen %-9s title %5s fps, level 1 %5s fps; bare %sx%s picture %s fps (%s before, %s after): %.2f and %.2f' \
    "$size" "$ft" "$fl" "$PW" "$PH" "$fb2" "$fb" "$fa" "$(awk -v a="$ft" -v b="$fb2" 'BEGIN { print b ? a / b : 0 }')" \
    "$(awk -v a="$fl" -v b="$fb2" 'BEGIN { print b ? a / b : 0 }')")")
done
stop_x
start_x 1920x1080
start_wm
rm -f "$E2E_HOME/settings.ini" # the defaults: full screen at the display's pace
launch_full
xpid=$XVFB_PID
title_cpu=$(cpu "$GAME_PID" "$xpid")
full_level
level_cpu=$(cpu "$GAME_PID" "$xpid")
quit
echo "full screen, uncapped (maxfps = 0), against the bare loop of the same picture size:"
printf '  %s\n' "${full[@]}"
echo "full screen 1920x1080, default settings (paced to the display), game and X server, of one core:"
echo "  title: $title_cpu  level 1: $level_cpu"
