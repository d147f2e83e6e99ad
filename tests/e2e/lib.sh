# Shared helpers for end-to-end tests: a private X server, a fresh game
# home, the real program, xdotool input and screenshots.
set -euo pipefail

: "${YK_BIN:?path of the built program}"
: "${YK_DATA:?path of the built data directory}"
YK_OUT="${YK_OUT:-/tmp/yk-test-output}"
mkdir -p "$YK_OUT"

E2E_HOME="$(mktemp -d /tmp/yk-e2e-XXXXXX)"
XVFB_PID=""
GAME_PID=""
WM_PID=""

# The X server is waited for: one that is still ending when the next test
# starts its own may hand that one its display number and then remove the
# display's socket, which the new server uses, so that clients of the next
# test cannot connect ("no system driver", "Failed to open the display").
e2e_cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$E2E_HOME"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

start_x() { # [WIDTHxHEIGHT]
  # The server takes the first free display itself and names it, so that
  # tests started at the same moment never share one.
  local named="$E2E_HOME/xdisplay"
  : >"$named"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp 3>"$named" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$named" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || fail "no X server could be started"
    sleep 0.1
  done
  [ -s "$named" ] || fail "the X server named no display"
  export DISPLAY=":$(head -n1 "$named")"
  xdpyinfo >/dev/null 2>&1 || fail "the X server on $DISPLAY does not answer"
}

# A real window manager, as on a desktop; waits until it manages windows.
# A busy machine now and then refuses a new X client: up to three tries.
start_wm() {
  local attempt
  for attempt in 1 2 3; do
    openbox --sm-disable >"$E2E_HOME/openbox.log" 2>&1 &
    WM_PID=$!
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
      kill -0 "$WM_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  fail "openbox did not start: $(cat "$E2E_HOME/openbox.log")"
}

# Ends the game (if it runs), the window manager and the X server, so that
# a test can start another server of another size.
stop_x() {
  local pid
  for pid in "$GAME_PID" "$WM_PID" "$XVFB_PID"; do
    [ -n "$pid" ] && { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  done
  GAME_PID="" WM_PID="" XVFB_PID=""
}

# The bounding box of what is not black on a screenshot: WxH+X+Y.
picture_rect() { convert "$YK_OUT/$1.png" -fuzz 2% -format '%@' info:; }

# The picture on a screenshot: 4:3 within a pixel, centred within a pixel,
# filling the height or the width.
check_picture() { # NAME SCREEN-W SCREEN-H (the screenshot taken already)
  local rect w h x y
  rect=$(picture_rect "$1")
  IFS='x+' read -r w h x y <<<"$rect"
  awk -v w="$w" -v h="$h" -v x="$x" -v y="$y" -v W="$2" -v H="$3" 'BEGIN {
    ok = (w * 3 - h * 4 <= 4 && h * 4 - w * 3 <= 4) && (x - (W - w - x) <= 1 && (W - w - x) - x <= 1) &&
         (y - (H - h - y) <= 1 && (H - h - y) - y <= 1) && (w == W || h == H)
    exit ok ? 0 : 1 }' || fail "$1: the picture is $rect on ${2}x$3"
  echo "$1: picture $rect on ${2}x$3"
}

# The title's colours on a screenshot: its picture is blood-red, so red
# must outweigh blue by far (a swapped 16-bit layout turns it blue).
check_title_colours() { # NAME (the screenshot taken already)
  local rect means
  rect=$(picture_rect "$1")
  means=$(convert "$YK_OUT/$1.png" -crop "$rect" +repage -format '%[fx:mean.r] %[fx:mean.b]' info:)
  awk -v m="$means" 'BEGIN { split(m, v, " "); exit v[1] > 1.5 * v[2] ? 0 : 1 }' ||
    fail "$1: the title is not red (mean red and blue $means): colours swapped?"
}

# A point of the frame on the screen, from the picture's rectangle.
to_screen() { # RECT X Y
  local w h x y
  IFS='x+' read -r w h x y <<<"$1"
  echo "$((x + ($2 * w + w / 2) / 1024)) $((y + ($3 * h + h / 2) / 768))"
}

# A game home as ./yk play makes it: data linked in, windowed settings.
make_home() {
  ln -s "$YK_DATA" "$E2E_HOME/data"
  printf '[game]\nfullscreen = 0\n' > "$E2E_HOME/settings.ini"
}

start_game() {
  (cd "$E2E_HOME" && exec "$YK_BIN") >"$E2E_HOME/stdout.log" 2>"$E2E_HOME/stderr.log" &
  GAME_PID=$!
}

wait_window() { # prints the window id
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --name '^Yolvar Krandel$' 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$GAME_PID" 2>/dev/null || fail "game exited early: $(cat "$E2E_HOME/stderr.log")"
    sleep 0.1
  done
  fail "no window titled Yolvar Krandel"
}

# A key held long enough for several logic ticks (35 per second) to see it,
# even on a loaded machine.
press() { xdotool keydown "$1"; sleep 0.3; xdotool keyup "$1"; sleep 0.15; }

wait_exit() { # prints the exit code
  local code=0
  for _ in $(seq 100); do
    kill -0 "$GAME_PID" 2>/dev/null || { wait "$GAME_PID" || code=$?; GAME_PID=""; echo "$code"; return 0; }
    sleep 0.1
  done
  fail "game did not exit"
}

screenshot() { # NAME
  import -window root "$YK_OUT/$1.png"
}

# Waits for the game to end and sets GAME_EXIT to its exit code. Unlike
# $(wait_exit) it runs in this shell, which alone can reap the game: a game
# that ends at once is still reported rightly.
wait_game_exit() {
  for _ in $(seq 100); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$GAME_PID" 2>/dev/null && fail "game did not exit"
  GAME_EXIT=0
  wait "$GAME_PID" || GAME_EXIT=$?
  GAME_PID=""
}

# Starts an installed program as a player would: from an unrelated folder,
# with a fresh HOME; checks its window and the files it keeps in the XDG
# folder (settings, scores after Space, the data link), then closes it.
play_installed() { # PROGRAM DATA-DIR
  local program=$1 data=$2 home elsewhere folder
  home=$(mktemp -d "$E2E_HOME/home-XXXXXX")
  elsewhere=$(mktemp -d "$E2E_HOME/cwd-XXXXXX")
  folder="$home/.local/share/yolvar-krandel"
  (cd "$elsewhere" && HOME="$home" XDG_DATA_HOME= exec "$program" --windowed) \
    >"$E2E_HOME/stdout.log" 2>"$E2E_HOME/stderr.log" &
  GAME_PID=$!
  win=$(wait_window)
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  sleep 0.5
  geometry=$(xdotool getwindowgeometry "$win")
  echo "$geometry" | grep -q '1024x768' || fail "window is not 1024x768: $geometry"
  local attempt
  for attempt in 1 2 3; do # a loaded machine may miss a short press
    press space
    for _ in $(seq 50); do [ -f "$folder/score.yk" ] && break 2; sleep 0.1; done
  done
  "$YK_WM_DELETE" "$win"
  wait_game_exit
  [ "$GAME_EXIT" = 0 ] || fail "installed game: exit code $GAME_EXIT: $(cat "$E2E_HOME/stderr.log")"
  [ -f "$folder/score.yk" ] || fail "no score.yk in $folder"
  grep -qE '^fullscreen *= *1$' "$folder/settings.ini" || fail "settings.ini in $folder: $(cat "$folder/settings.ini")"
  [ "$(readlink -f "$folder/data")" = "$(readlink -f "$data")" ] || fail "$folder/data does not lead to $data"
  [ -z "$(ls -A "$elsewhere")" ] || fail "the game wrote into the folder it was started from: $(ls -A "$elsewhere")"
  echo "installed game played in $folder"
}

# Starts the game and waits for its window, focused; sets win.
open_game() {
  start_game
  win=$(wait_window)
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  sleep 0.5
}

point() { xdotool mousemove --window "$win" "$1" "$2"; sleep 0.05; }
# A click held long enough for the menu's polls (100 a second) to see it.
click() { xdotool mousedown 1; sleep 0.1; xdotool mouseup 1; }

# Number of pixels that differ noticeably between two screenshots.
differ() { compare -metric AE -fuzz 8% "$YK_OUT/$1.png" "$YK_OUT/$2.png" null: 2>&1 | cut -d' ' -f1 || true; }
alive() { kill -0 "$GAME_PID" 2>/dev/null || fail "game exited: $(cat "$E2E_HOME/stderr.log")"; }
# Repeats an action until the screen differs from screenshot BEFORE by more
# than LIMIT pixels (a loaded machine can starve the game of a short press);
# the last screenshot is named AFTER.
act_until_changes() { # BEFORE AFTER LIMIT ACTION...
  local before=$1 after=$2 limit=$3 attempt
  shift 3
  for attempt in 1 2 3; do
    "$@"
    sleep 1
    alive
    screenshot "$after"
    [ "$(differ "$before" "$after")" -gt "$limit" ] && return 0
  done
  return 1
}
