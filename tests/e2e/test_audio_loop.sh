#!/usr/bin/env bash
# Music keeps playing across the loop point: with a one-second tone as the
# title track (a whole number of periods, so a perfect loop is one steady
# sine), several loops sound without a gap, a dip or a click.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/audio.sh"
tone_data r33:441:1
hear_title 9
from=$(plus "$start" 1.5)
to=$(plus "$start" 7.5)

# A gap or a dip: a 10 ms stretch below the steady level.
read -r lowest median <<<"$(windows "$from" "$to" 0.01 | sort -k2 -n |
  awk '{ l[NR] = $2 } END { print l[1], l[int((NR + 1) / 2)] }')"
# A click: sound above 2 kHz, where a steady 441 Hz sine has next to none.
read -r tone_rms tone_peak <<<"$(level "$from" "$to")"
click=$(windows "$from" "$to" 0.005 sinc 2000 | sort -k3 -n | awk 'END { print $3 }')
echo "6 loops: tone $tone_rms dBFS RMS, quietest 10 ms $lowest (median $median), most above 2 kHz $click dBFS peak"
holds "$lowest > $median - 1" || fail "a gap or dip at a loop point: a 10 ms stretch at $lowest dBFS against $median"
holds "$click < $tone_peak - 30" || fail "a click at a loop point: $click dBFS above 2 kHz against a $tone_peak dBFS tone"
echo ok
