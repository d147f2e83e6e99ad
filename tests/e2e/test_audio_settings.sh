#!/usr/bin/env bash
# The real program records the sound driver it got in settings.ini and saves
# the volumes at shut-down; without a sound card it runs silent with the
# music and sound volumes at 0.
source "$(dirname "$0")/lib.sh"
start_x
make_home
printf '[audio]\nmaxvolumemaster = 300\n' >> "$E2E_HOME/settings.ini"
start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
press Escape
code=$(wait_exit)
[ "$code" = 0 ] || fail "exit code $code after Escape"
ini="$E2E_HOME/settings.ini"
cat "$ini"
value() { sed -n "s/^$1 *= *//p" "$ini" | tr -d '\r'; }
last=$(value lastUsed)
[ -n "$last" ] || fail "no lastUsed in settings.ini"
[ "$(value maxvolumemaster)" = 44 ] || fail "master volume not masked to 44"
if [ "$last" = NONE ]; then
  [ "$(value maxvolumesounds)" = 0 ] || fail "sound volume not 0 without a driver"
  [ "$(value maxvolumemusic)" = 0 ] || fail "music volume not 0 without a driver"
else
  [ "$(value maxvolumesounds)" = 160 ] || fail "sound volume changed with driver $last"
fi
echo "ok"
