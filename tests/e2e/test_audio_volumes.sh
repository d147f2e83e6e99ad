#!/usr/bin/env bash
# The sound and music volumes of the level-select screen's options bar
# change what is heard: raised, the anvil (a sound effect) and the level's
# music get louder; lowered, quieter; at 0 nothing is heard at all. The
# last choice is saved. Each round chooses level 1 and restarts it with
# Space, which plays the anvil over the level's music (a test tone).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/audio.sh"
level_hz=367.5 # track 1: level 1, which has no boss
tone_data "r33:220.5:2" "r32:$level_hz:2"
point() { xdotool mousemove --window "$win" "$1" "$2"; sleep 0.1; }
hold() { xdotool mousedown 1; sleep 0.4; xdotool mouseup 1; sleep 0.1; }

# From the level-select screen: sets the sound and music volumes on the
# options bar (pointer x from 629, volume 0, to 711, volume 255).
set_volumes() { # SOUND_X MUSIC_X
  point 300 5 # the top strip opens the bar
  sleep 1
  point "$1" 28 && hold
  point "$2" 55 && hold
  point 300 300 # below the bar: it closes, and the pointer is on level 1
  sleep 1
}

# From the level-select screen: plays level 1, restarts it with Space after
# the count-down and goes back. Sets restart and released: where Space was
# pressed and released, in seconds heard.
round() { # [silent]: no music to wait for
  if [ -z "${1:-}" ]; then
    until_tone "$level_hz" press space || fail "choosing level 1 did not bring in its music"
  else
    press space
  fi
  sleep 2
  restart=$(heard)
  press space
  released=$(heard)
  wait_heard "$(plus "$released" 3)"
  press Escape
  sleep 1
}

# Music level just before Space, and the anvil's level above 1 kHz (where
# the tone has nothing and the anvil most of its partials, at any pitch)
# over its first 0.3 s.
measure() { # RESTART RELEASED
  local music anvil
  music=$(tone "$(plus "$1" -1.5)" "$1" "$level_hz")
  anvil=$(anvil_onset "$1" "$2")
  [ -n "$anvil" ] || { echo "$music none"; return; }
  echo "$music $(rms "$anvil" "$(plus "$anvil" 0.3)" sinc 1000)"
}

start_x
make_home
start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
point 300 300
wait_heard 2
press space # the title: on to the level-select screen
sleep 1.5

round # the default volumes: sound 160, music 127
r0=$restart e0=$released
set_volumes 711 711 # 255 and 255
round
r1=$restart e1=$released
set_volumes 640 640 # 36 and 36
round
r2=$restart e2=$released
set_volumes 629 629 # 0 and 0
chosen=$(heard)
round silent
r3=$restart
for _ in 1 2; do press Escape; sleep 0.5; done # level select, title
[ "$(wait_exit)" = 0 ] || fail "the game did not quit cleanly"

read -r music0 anvil0 <<<"$(measure "$r0" "$e0")"
read -r music1 anvil1 <<<"$(measure "$r1" "$e1")"
read -r music2 anvil2 <<<"$(measure "$r2" "$e2")"
echo "default: music $music0 dBFS, anvil $anvil0 dBFS"
echo "raised:  music $music1 dBFS, anvil $anvil1 dBFS"
echo "lowered: music $music2 dBFS, anvil $anvil2 dBFS"
for a in "$anvil0" "$anvil1" "$anvil2"; do [ "$a" != none ] || fail "no anvil after Space"; done
holds "$music1 > $music0 + 3" || fail "raising the music volume did not make the music louder"
holds "$anvil1 > $anvil0 + 2" || fail "raising the sound volume did not make the anvil louder"
holds "$music2 < $music0 - 6" || fail "lowering the music volume did not make the music quieter"
holds "$anvil2 < $anvil0 - 6" || fail "lowering the sound volume did not make the anvil quieter"
read -r silent silent_peak <<<"$(level "$chosen" "$(plus "$r3" 3)")"
echo "at 0: $silent dBFS RMS, peak $silent_peak dBFS from choosing the level to after Space"
holds "$silent_peak < -90" || fail "volumes at 0 still let sound through"
ini="$E2E_HOME/settings.ini"
grep -q '^maxvolumesounds = 0' "$ini" && grep -q '^maxvolumemusic = 0' "$ini" || fail "the volumes chosen were not saved: $(cat "$ini")"
echo ok
