#!/usr/bin/env bash
# On a Wayland desktop, which runs X programs through Xwayland: the default
# full screen shows the game filling the output at 4:3 (the library's own
# full-screen mode showed a blank screen there). X test input does not
# reach X clients under Xwayland, so this looks at what is shown, through
# the compositor's own screenshot, and closes the window as a desktop would.
source "$(dirname "$0")/lib.sh"

command -v weston >/dev/null || fail "weston is not installed (./yk deps)"
export XDG_RUNTIME_DIR="$E2E_HOME/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket="yk-wayland-$$"
# A headless desktop that renders (pixman), so that it has a picture to take.
weston --backend=headless-backend.so --use-pixman --xwayland --debug --width=1920 --height=1080 \
  --socket="$socket" >"$E2E_HOME/weston.log" 2>&1 &
WESTON_PID=$!
trap 'kill "$WESTON_PID" 2>/dev/null || true; e2e_cleanup' EXIT
for _ in $(seq 100); do
  grep -q 'xserver listening on display' "$E2E_HOME/weston.log" && break
  kill -0 "$WESTON_PID" 2>/dev/null || fail "weston did not start: $(cat "$E2E_HOME/weston.log")"
  sleep 0.1
done
DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_HOME/weston.log" | head -n1)
[ -n "$DISPLAY" ] || fail "weston started no Xwayland: $(cat "$E2E_HOME/weston.log")"
export DISPLAY WAYLAND_DISPLAY="$socket"

make_home
rm -f "$E2E_HOME/settings.ini" # the defaults: full screen
start_game
win=$(wait_window)
sleep 4 # Xwayland starts on demand, then the window goes full screen

shot=""
for attempt in 1 2 3; do
  (cd "$E2E_HOME" && timeout 20 weston-screenshooter) >/dev/null 2>&1 || true
  shot=$(ls "$E2E_HOME"/wayland-screenshot-*.png 2>/dev/null | head -n1 || true)
  [ -n "$shot" ] && break
  sleep 1
done
[ -n "$shot" ] || fail "weston-screenshooter took no picture: $(tail -5 "$E2E_HOME/weston.log")"
mv "$shot" "$YK_OUT/e2e-xwayland.png"
colours=$(convert "$YK_OUT/e2e-xwayland.png" -format '%k' info:)
[ "$colours" -gt 1000 ] || fail "the output shows no picture ($colours colours)"
check_picture e2e-xwayland 1920 1080
check_title_colours e2e-xwayland

"$YK_WM_DELETE" "$win"
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT: $(cat "$E2E_HOME/stderr.log")"
echo ok
