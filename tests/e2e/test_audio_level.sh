#!/usr/bin/env bash
# Choosing a level brings in the level's music, and Space in play (which
# starts the level again) plays the anvil at once over it; choosing itself
# is silent, the title's anvil being dropped as the level-select screen
# opens. The title/menu track and the track of level 1 are test tones of
# their own, so what plays when is plain in the sound.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/audio.sh"
menu_hz=220.5 # track 2: the title and the level-select screen
level_hz=367.5 # track 1: level 1, which has no boss
tone_data "r33:$menu_hz:2" "r32:$level_hz:2"

start_x
make_home
start_game
win=$(wait_window)
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool mousemove --window "$win" 300 300 # the upper-left quadrant: level 1
wait_heard 3
title=$(heard)
press space # the title: on to the level-select screen
sleep 1.5
# The level-select screen: level 1.
until_tone "$level_hz" press space || fail "choosing level 1 did not bring in its music"
sleep 2 # past the count-down and its "Go!"
restart=$(heard)
press space # in play: the level starts again, with the anvil
released=$(heard)
wait_heard "$(plus "$released" 4)"

menu_a=$(tone "$(plus "$title" -2)" "$title" "$menu_hz")
menu_b=$(tone "$(plus "$title" -2)" "$title" "$level_hz")
echo "title: $menu_a dBFS at $menu_hz Hz, $menu_b dBFS at $level_hz Hz"
holds "$menu_a > $menu_b + 30" || fail "the title does not play its own track"
level_a=$(tone "$(plus "$restart" -1.5)" "$restart" "$menu_hz")
level_b=$(tone "$(plus "$restart" -1.5)" "$restart" "$level_hz")
echo "level 1: $level_a dBFS at $menu_hz Hz, $level_b dBFS at $level_hz Hz"
holds "$level_b > $level_a + 30" || fail "level 1 does not play its own track"

# The anvil sounds while the key is still down; the count-down's "Go!"
# comes a second later.
anvil=$(anvil_onset "$restart" "$released")
[ -n "$anvil" ] || fail "no anvil right after Space"
echo "anvil $(plus "$anvil" "-$restart") s after Space (released after $(plus "$released" "-$restart") s)"
after=$(tone "$(plus "$anvil" 1.2)" "$(plus "$anvil" 2)" "$level_hz")
echo "level music after the anvil: $after dBFS"
holds "$after > $level_b - 1 && $after < $level_b + 1" || fail "the level's music did not go on at its level after the anvil"

for _ in 1 2 3; do press Escape; sleep 0.5; done # play, level select, title
[ "$(wait_exit)" = 0 ] || fail "the game did not quit cleanly"
echo ok
