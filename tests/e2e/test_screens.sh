#!/usr/bin/env bash
# Today's screens, with a real window manager (openbox) at three sizes and
# without one at a fourth: full screen is a window covering the monitor
# with the picture 4:3, centred and filling its height or width; nothing is
# grabbed; the screen's size is never changed; the window's class matches
# the desktop entry; F11 switches to a window of the automatic scale and
# back, on the title and in play; a click on the scaled level select
# chooses the body system under it.
source "$(dirname "$0")/lib.sh"

entry_class=$(sed -n 's/^StartupWMClass=//p' "$YK_SOURCE/dist/desktop.in")
[ -n "$entry_class" ] || fail "the desktop entry names no StartupWMClass"

# A key to the game's window, focused first: a window just mapped again
# may not have the focus yet, and without a window manager nobody gives it.
key() { xdotool windowfocus --sync "$win" 2>/dev/null || true; press "$1"; }
size_of() { xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}'; }
screen_size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }

# Waits until the game's window has the size (a window manager takes a
# moment to put a window full screen or back).
wait_size() { # SIZE WHAT
  for _ in $(seq 60); do
    [ "$(size_of "$win")" = "$1" ] && return 0
    alive
    sleep 0.1
  done
  fail "$2: window is $(size_of "$win"), not $1"
}
# F11 until the window has the size: a loaded machine may hand a key to the
# window before it has the focus back from its last change.
toggle_to() { # SIZE WHAT
  local attempt
  for attempt in 1 2 3; do
    key F11
    for _ in $(seq 40); do
      [ "$(size_of "$win")" = "$1" ] && { [ "$attempt" = 1 ] || echo "$2: took $attempt presses"; sleep 0.3; return 0; }
      alive
      sleep 0.1
    done
  done
  fail "$2: window is $(size_of "$win"), not $1"
}

# Which body system a play screenshot shows: the nearest of the README's
# pictures of the four, all shrunk to a few pixels (the art, not the eggs).
system_shown() { # NAME RECT
  local best="" best_d=999999 s d
  convert "$YK_OUT/$1.png" -crop "$2" +repage -resize 32x24! "$E2E_HOME/shown.png"
  for s in circulatory digestive respiratory nervous; do
    convert "$YK_SOURCE/docs/screenshot-$s.png" -resize 32x24! "$E2E_HOME/ref.png"
    d=$(compare -metric RMSE "$E2E_HOME/shown.png" "$E2E_HOME/ref.png" null: 2>&1 | cut -d' ' -f1 | cut -d. -f1)
    [ "$d" -lt "$best_d" ] && { best_d=$d; best=$s; }
  done
  echo "$best"
}

play_on() { # SIZE WM(1/0) WINDOWED-SIZE
  local size=$1 W H tag rect
  IFS=x read -r W H <<<"$size"
  tag="e2e-screens-$size$([ "$2" = 1 ] || echo -nowm)"
  start_x "$size"
  [ "$2" = 1 ] && start_wm
  rm -f "$E2E_HOME/settings.ini" # the defaults: full screen
  start_game
  win=$(wait_window)
  wait_size "$size" "full screen on $size"
  sleep 1
  geometry=$(xdotool getwindowgeometry "$win")
  echo "$geometry" | grep -q 'Position: 0,0' || fail "$tag: full screen is not at the corner: $geometry"
  xprop -id "$win" WM_CLASS | grep -q "\"yolvar-krandel\", \"$entry_class\"" ||
    fail "$tag: WM_CLASS $(xprop -id "$win" WM_CLASS) does not match the desktop entry's $entry_class"
  if [ "$2" = 1 ]; then
    xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN || fail "$tag: not full screen to the window manager"
  fi
  "$YK_GRAB_KEYBOARD" || fail "$tag: the keyboard is grabbed"
  screenshot "$tag-title"
  check_picture "$tag-title" "$W" "$H"
  check_title_colours "$tag-title"

  toggle_to "$3" "F11 on the title on $size"
  xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN && fail "$tag: the window is still full screen"
  grep -qE '^fullscreen *= *0$' "$E2E_HOME/settings.ini" || fail "$tag: F11 was not written: $(cat "$E2E_HOME/settings.ini")"
  toggle_to "$size" "F11 back on the title on $size"

  key space
  sleep 1.5
  screenshot "$tag-select"
  rect=$(picture_rect "$tag-select")
  # The upper right quadrant: the respiratory system.
  read -r px py <<<"$(to_screen "$rect" 800 200)"
  xdotool mousemove "$px" "$py"
  sleep 0.5
  click
  sleep 3
  alive
  screenshot "$tag-play"
  shown=$(system_shown "$tag-play" "$rect")
  [ "$shown" = respiratory ] || fail "$tag: a click at $px,$py on the level select started the $shown system"

  toggle_to "$3" "F11 in play on $size"
  import -window "$win" "$YK_OUT/$tag-play-window.png"
  shown=$(system_shown "$tag-play-window" "$3+0+0")
  [ "$shown" = respiratory ] || fail "$tag: after F11 the window shows the $shown system"
  toggle_to "$size" "F11 back in play on $size"
  screenshot "$tag-play-again"
  check_picture "$tag-play-again" "$W" "$H"
  [ "$(system_shown "$tag-play-again" "$rect")" = respiratory ] || fail "$tag: the game in progress was lost"

  key Escape; sleep 1; key Escape; sleep 1; key Escape
  wait_game_exit
  [ "$GAME_EXIT" = 0 ] || fail "$tag: exit code $GAME_EXIT"
  [ "$(screen_size)" = "$size" ] || fail "$tag: the screen is $(screen_size) after the game, not $size"
  grep -qE '^fullscreen *= *1$' "$E2E_HOME/settings.ini" || fail "$tag: settings.ini: $(cat "$E2E_HOME/settings.ini")"
  stop_x
  echo "$tag: ok"
}

make_home
play_on 1920x1080 1 1024x768
play_on 3840x2160 1 2048x1536
play_on 1280x800 1 1024x768
play_on 1920x1200 0 1024x768
echo ok
