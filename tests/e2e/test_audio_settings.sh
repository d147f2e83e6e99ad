#!/usr/bin/env bash
# The real program records the sound driver it got in settings.ini and saves
# the volumes at shut-down. A run without a sound card (as here, where ALSA
# finds none) plays nothing, yet keeps the player's volumes in the file, and
# the sound library's complaints about the missing card stay off stderr.
source "$(dirname "$0")/lib.sh"
export HOME="$E2E_HOME" # no .asoundrc: the machine's own sound, if any
start_x
make_home
printf '[audio]\nmaxvolumemaster = 300\nmaxvolumesounds = 200\nmaxvolumemusic = 90\n' >> "$E2E_HOME/settings.ini"
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
[ "$(value maxvolumesounds)" = 200 ] || fail "sound volume not kept (driver $last)"
[ "$(value maxvolumemusic)" = 90 ] || fail "music volume not kept (driver $last)"
if grep -i alsa "$E2E_HOME/stderr.log"; then
  fail "the sound library's messages reached stderr"
fi
echo "driver $last; stderr: $(wc -l < "$E2E_HOME/stderr.log") lines"
echo "ok"
