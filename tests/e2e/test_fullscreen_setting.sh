#!/usr/bin/env bash
# "fullscreen" in settings.ini is read as any non-zero number and written
# back as 1; full screen is the titled window covering the screen (here
# without a window manager), and Escape still quits.
source "$(dirname "$0")/lib.sh"
start_x
make_home
printf '[game]\nfullscreen = 5\n' > "$E2E_HOME/settings.ini"
start_game
# The sound set-up writes "lastUsed" right after the display is up.
for _ in $(seq 100); do
  grep -q '^lastUsed' "$E2E_HOME/settings.ini" && break
  kill -0 "$GAME_PID" 2>/dev/null || fail "game exited early: $(cat "$E2E_HOME/stderr.log")"
  sleep 0.1
done
grep -q '^lastUsed' "$E2E_HOME/settings.ini" || fail "no sound set-up after the display: $(cat "$E2E_HOME/settings.ini")"
grep -qE '^fullscreen *= *1$' "$E2E_HOME/settings.ini" || fail "fullscreen not written back as 1: $(cat "$E2E_HOME/settings.ini")"
win=$(wait_window)
geometry=$(xdotool getwindowgeometry "$win")
echo "$geometry" | grep -q 'Position: 0,0' && echo "$geometry" | grep -q '1280x1024' ||
  fail "full screen does not cover the screen: $geometry"
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
press Escape
code=$(wait_exit)
[ "$code" = 0 ] || fail "exit code $code after Escape"
echo ok
