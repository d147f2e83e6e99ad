#!/usr/bin/env bash
# The autopilot plays at a person's pace: in the recording of the whole
# campaign no level has more than 6 new key presses within one second
# (35 ticks), nor more than 5 a second over the level.
set -u
REC="${1:?recording}"
[ -s "$REC" ] || { echo "no recording at $REC"; exit 1; }
awk '
  $1 == "level" {
    name = $2; n = split($12, runs, ","); t = 0; prev = 0; presses = 0; head = 0; tail = 0
    for (i = 1; i <= n; i++) {
      split(runs[i], r, ":")
      for (k = 0; k < r[1]; k++) {
        fresh = r[2]; down = prev  # keys down now that were up the tick before
        for (b = 1; b <= 8; b *= 2)
          if (int(fresh / b) % 2 == 1 && int(down / b) % 2 == 0) {
            at[tail++] = t; presses++
            while (at[head] <= t - 35) head++
            if (tail - head > 6) { printf "level %s: %d presses in the second up to tick %d\n", name, tail - head, t; bad = 1 }
          }
        prev = fresh; t++
      }
    }
    if (t > 0 && presses * 35 > 5 * t) { printf "level %s: %.1f presses a second\n", name, presses * 35 / t; bad = 1 }
    levels++
  }
  END { if (levels == 0) { print "no levels in the recording"; exit 1 } exit bad }
' "$REC"
