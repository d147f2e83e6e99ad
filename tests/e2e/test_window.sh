#!/usr/bin/env bash
# The real program opens its titled window showing the title picture,
# writes its settings and quits with 0 on Escape.
source "$(dirname "$0")/lib.sh"
start_x
make_home
start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
screenshot e2e-title
# The title picture, not an empty frame: a plain screen has a handful of colours.
colours=$(convert "$YK_OUT/e2e-title.png" -crop 1024x768+0+0 -format '%k' info:)
[ "$colours" -gt 1000 ] || fail "the title screen shows no picture ($colours colours)"
grep -q 'fullscreen *= *0' "$E2E_HOME/settings.ini" || fail "settings.ini lost its fullscreen key"
geometry=$(xdotool getwindowgeometry "$win")
echo "$geometry" | grep -q '1024x768' || fail "window is not 1024x768: $geometry"
press Escape
code=$(wait_exit)
[ "$code" = 0 ] || fail "exit code $code after Escape"
grep -q 'useKeyboard' "$E2E_HOME/data/control-1.ykd" || fail "control-1.ykd keys missing"
echo "ok"
