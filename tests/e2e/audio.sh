# Sound for end-to-end tests, sourced after lib.sh: the game's folder is
# also its HOME, whose .asoundrc points ALSA's default device at a file.
# Whatever the program plays lands there as Allegro mixes it: unsigned
# 16-bit stereo at 44100 Hz. That device takes data as fast as it comes, so
# the file grows faster than real time; positions are seconds of sound in
# the file, found from the sound itself or from the file's size at the
# moment of an action, never from the wall clock.

: "${YK_SOUND:?path of the built yk-sound}"
HEARD="$E2E_HOME/heard.raw"
export HOME="$E2E_HOME"
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$HEARD" > "$HOME/.asoundrc"

# A game still running when a test ends is killed outright: nothing it
# would save on a normal quit matters to the test any more.
audio_cleanup() {
  [ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2>/dev/null || true
  GAME_PID=""
  e2e_cleanup
}
trap audio_cleanup EXIT

RAW=(-t raw -r 44100 -e unsigned -b 16 -c 2)
BYTES_PER_SECOND=176400
sox() { command sox -V1 "$@"; } # errors only: a trim to the very end is fine

# A game folder whose music files are test tones: data linked in piece by
# piece, the named tracks replaced. Call before make_home.
# Usage: tone_data NAME:HZ:SECONDS...
tone_data() {
  local data="$E2E_HOME/tone-data" tonedef name hz secs
  mkdir -p "$data/ogg"
  for f in "$YK_DATA"/*; do [ "$(basename "$f")" = ogg ] || ln -s "$f" "$data/"; done
  for f in "$YK_DATA"/ogg/*; do ln -s "$f" "$data/ogg/"; done
  for tonedef in "$@"; do
    IFS=: read -r name hz secs <<<"$tonedef"
    rm -f "$data/ogg/$name.ogg"
    "$YK_SOUND" tone "$hz" "$secs" "$data/ogg/$name.ogg" || fail "cannot make the tone $tonedef"
  done
  YK_DATA="$data"
}

heard() { # seconds of sound in the file so far
  local bytes
  bytes=$(stat -c %s "$HEARD" 2>/dev/null || echo 0)
  awk -v b="$bytes" -v r="$BYTES_PER_SECOND" 'BEGIN { printf "%.3f\n", b / r }'
}

# Waits until the file holds SECONDS of sound; generous, for a loaded machine.
wait_heard() { # SECONDS
  local _
  for _ in $(seq 1200); do
    awk -v h="$(heard)" -v s="$1" 'BEGIN { exit !(h >= s) }' && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "game exited: $(cat "$E2E_HOME/stderr.log")"
    sleep 0.1
  done
  fail "only $(heard) s of sound after 120 s, waiting for $1 s"
}

# Runs sox on the stretch FROM..TO (seconds) of what was heard (or of the
# raw file HEARD names for the call).
sox_heard() { # FROM TO [sox output and effects...]
  local from=$1 to=$2
  shift 2
  sox "${RAW[@]}" "$HEARD" "$@" trim "$from" "=$to"
}

# RMS and peak level (dBFS, both channels) of FROM..TO after the optional
# sox effects, e.g. above 2 kHz: level 3 5 sinc 2000. Silence is -200.
level() { # FROM TO [EFFECT...]
  local from=$1 to=$2
  shift 2
  sox "${RAW[@]}" "$HEARD" -n trim "$from" "=$to" "$@" stats 2>&1 |
    awk 'function db(x) { return x == "-inf" ? -200 : x }
         /^RMS lev dB/ { rms = db($4) } /^Pk lev dB/ { pk = db($4) } END { print rms, pk }'
}
rms() { level "$@" | cut -d' ' -f1; }

# Samples (of both channels) in FROM..TO at either end of the scale: clipped.
clipped() { # FROM TO
  sox_heard "$1" "$2" -t raw - | od -An -v -tu2 -w2 | awk '$1 == 0 || $1 == 65535 { c++ } END { print c + 0 }'
}

# Tests on numbers that the shell cannot compare: holds "3.5 > -24".
holds() { awk "BEGIN { exit !($*) }"; }
plus() { awk -v a="$1" -v b="$2" 'BEGIN { print a + b }'; }

# Levels of FROM..TO in windows of WINDOW seconds after the optional sox
# effects, one "time rms-dB peak-dB" line per window (time from FROM).
windows() { # FROM TO WINDOW [EFFECT...]
  local from=$1 to=$2 w=$3
  shift 3
  sox_heard "$from" "$to" -t dat - "$@" 2>/dev/null | awk -v w="$w" -v from="$from" '
    /^;/ { next }
    { i = int($1 / w)
      if (i != cur && n) { out(); }
      cur = i; s += $2 * $2 + $3 * $3; n += 2
      a = $2 < 0 ? -$2 : $2; if (a > pk) pk = a
      a = $3 < 0 ? -$3 : $3; if (a > pk) pk = a }
    function db(x) { return x > 1e-12 ? 10 * log(x) / log(10) : -120 }
    function out() { printf "%.3f %.1f %.1f\n", from + cur * w, db(s / n), db(pk * pk); s = n = pk = 0 }
    END { if (n) out() }'
}

# Level (dBFS RMS) of the sine at HZ in FROM..TO, both channels mixed: a
# Goertzel filter over the Hann-windowed stretch, blind to other tones.
tone() { # FROM TO HZ
  sox_heard "$1" "$2" -t dat - 2>/dev/null | awk -v f="$3" '
    /^;/ { next }
    { x[n++] = ($2 + $3) / 2 }
    END { c = 2 * cos(2 * 3.14159265358979 * f / 44100); s1 = s2 = 0
          for (i = 0; i < n; i++) {
            s0 = x[i] * (1 - cos(2 * 3.14159265358979 * i / (n - 1))) / 2 + c * s1 - s2; s2 = s1; s1 = s0 }
          p = s1 * s1 + s2 * s2 - c * s1 * s2; a = 4 * sqrt(p > 0 ? p : 0) / n
          printf "%.1f\n", (a > 1e-6 ? 20 * log(a / sqrt(2)) / log(10) : -120) }'
}

# Start of the first sudden rise of sound above 2 kHz within FROM..TO: a
# 5 ms window 15 dB above every window of the 0.3 s before it (which may
# lie before FROM) and above -60 dBFS. Prints its time, or nothing.
onset() { # FROM TO
  windows "$(plus "$1" -0.3)" "$2" 0.005 sinc 2000 | awk '
    { t[NR] = $1; l[NR] = $2 }
    END { for (i = 61; i <= NR; i++) {
            m = -200; for (j = i - 60; j < i; j++) if (l[j] > m) m = l[j]
            if (l[i] > -60 && l[i] > m + 15) { print t[i]; exit } } }'
}

# Onset of the anvil of a Space pressed at PRESSED and released at RELEASED
# (seconds heard). Looked for up to 2.5 s of sound after the press: the file
# grows faster than real time, so on a loaded machine far more sound than
# the press's own length can pass before the game reads the key. The first
# rise is the anvil; the count-down's "Go!" comes a second after it.
anvil_onset() { # PRESSED RELEASED
  local until
  until=$(plus "$1" 2.5)
  holds "$(plus "$2" 0.5) > $until" && until=$(plus "$2" 0.5)
  onset "$1" "$until"
}

# Starts the game on the title, lets SECONDS of sound be heard, leaves with
# Escape and sets start: where the title's music begins in what was heard.
# (Not run in a subshell: the X server and the game must stay the test's.)
hear_title() { # SECONDS
  start_x
  make_home
  start_game
  win=$(wait_window)
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  wait_heard "$1"
  press Escape
  [ "$(wait_exit)" = 0 ] || fail "the game did not quit cleanly"
  start=$(first_sound 0 5)
  [ -n "$start" ] || fail "no music in the first 5 s heard"
}

# Where music first sounds: the first 10 ms window above -60 dBFS.
first_sound() { # FROM TO
  windows "$1" "$2" 0.01 | awk '$2 > -60 && !found { print $1; found = 1 }'
}

# A music file as the sound card would get it at full volume, for comparing.
as_heard() { # OGG RAW
  sox "$1" -r 44100 -c 2 -e unsigned -b 16 -t raw "$2"
}

# Repeats ACTION (up to three times: a loaded machine can starve the game of
# a short key press) until the tone at HZ is heard, as the music of a state
# that the action leads to.
until_tone() { # HZ ACTION...
  local hz=$1 _ now
  shift
  for _ in 1 2 3; do
    "$@"
    now=$(heard)
    wait_heard "$(plus "$now" 2)"
    holds "$(tone "$(plus "$now" 1)" "$(plus "$now" 2)" "$hz") > -40" && return 0
  done
  return 1
}
