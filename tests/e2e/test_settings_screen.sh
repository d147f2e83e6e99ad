#!/usr/bin/env bash
# The settings screen and what it sets, under a window manager: F2 on the
# level select opens it; player 1's up is rebound there to I, which is in
# settings.ini at once; after a restart I steers in play. Then another
# window takes the focus during play: play pauses ("Paused" on the screen)
# and stays paused until P.
source "$(dirname "$0")/lib.sh"

start_x 1280x1024
start_wm
make_home
open_game

# The share of near-white pixels where "Paused" is written (frame coordinates).
paused_ink() { # NAME
  convert "$YK_OUT/$1.png" -crop "$(xdotool getwindowgeometry "$win" |
    awk '/Position/ { split($2, p, ","); printf "260x70+%d+%d", p[1] + 382, p[2] + 322 }')" +repage \
    -colorspace gray -threshold 90% -format '%[fx:mean]' info:
}
more_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit a > b ? 0 : 1 }'; }

screenshot e2e-settings-title
act_until_changes e2e-settings-title e2e-settings-select 10000 press space || fail "Space did not leave the title"
point 512 400
act_until_changes e2e-settings-select e2e-settings-screen 10000 press F2 || fail "F2 did not open the settings"
# The window sits where the window manager put it: the README's picture is the window alone.
import -window "$win" "$YK_OUT/e2e-settings-window.png"

# Full screen, scaling, window size, frames, pause on focus loss, game
# pads, then player 1 up (the settings table's order).
for _ in 1 2 3 4 5 6; do press Down; done
press Return
press i
press Escape
grep -qE '^player1up *= *I$' "$E2E_HOME/settings.ini" || fail "player1up = I not in settings.ini: $(cat "$E2E_HOME/settings.ini")"
screenshot e2e-settings-back
press Escape # to the title
press Escape # quits
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT: $(cat "$E2E_HOME/stderr.log")"
grep -qE '^player1up *= *I$' "$E2E_HOME/settings.ini" || fail "player1up lost at quit: $(cat "$E2E_HOME/settings.ini")"

open_game
screenshot e2e-settings-title2
act_until_changes e2e-settings-title2 e2e-settings-select2 10000 press space || fail "Space did not leave the title"
point 200 300
act_until_changes e2e-settings-select2 e2e-settings-countdown 10000 click || fail "the upper-left quadrant did not start play"
sleep 2 # past the count-down
screenshot e2e-settings-before-i
act_until_changes e2e-settings-before-i e2e-settings-after-i 100 press i || fail "I, player 1's up now, moved nothing"

# Another window takes the focus: play pauses.
ink_running=$(paused_ink e2e-settings-after-i)
xmessage -name focus-thief "looking away" &
THIEF=$!
thief=""
for _ in $(seq 50); do
  thief=$(xdotool search --classname '^focus-thief$' 2>/dev/null | head -n1 || true)
  [ -n "$thief" ] && break
  sleep 0.1
done
[ -n "$thief" ] || fail "the helper window did not show"
xdotool windowactivate --sync "$thief" 2>/dev/null || xdotool windowfocus --sync "$thief"
sleep 1
screenshot e2e-settings-focus-lost
ink_lost=$(paused_ink e2e-settings-focus-lost)
more_than "$ink_lost" 0.08 || fail "no \"Paused\" after the focus left (ink $ink_lost, running $ink_running)"
sleep 1.5
screenshot e2e-settings-focus-still
more_than "$(paused_ink e2e-settings-focus-still)" 0.08 || fail "the pause ended by itself"
kill "$THIEF" 2>/dev/null || true
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
sleep 0.5
more_than "$(paused_ink e2e-settings-focus-still)" 0.08 || fail "the pause ended by itself"
press p
sleep 0.5
screenshot e2e-settings-resumed
ink_resumed=$(paused_ink e2e-settings-resumed)
more_than 0.04 "$ink_resumed" || fail "P did not resume (ink $ink_resumed)"

"$YK_WM_DELETE" "$win"
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
echo "ok: ink running $ink_running, focus lost $ink_lost, resumed $ink_resumed"
