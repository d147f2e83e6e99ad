#!/usr/bin/env bash
# The title music reaches the sound card whole and at the loudness chosen
# for the game: at the default volumes (music 127 of 255, master 230) it
# plays about 8 dB below its file, so a whole loop of the title track is
# about -22 dBFS RMS, and the first thing a player hears, its first 20 s,
# no quieter than -24 dBFS RMS and never clipped. A burst of the five
# loudest sound effects over the loudest level music clips at most 0.1 % of
# the samples it spans.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/audio.sh"
title="$YK_DATA/ogg/r33.ogg" # track 2: the title and the level-select screen

hear_title 22

# The same 8 s of the track, compared 0.25 s by 0.25 s: the music plays
# whole, neither cut nor stuttering, at one gain throughout.
track="$E2E_HOME/track.raw"
as_heard "$title" "$track"
track_start=$(HEARD=$track first_sound 0 5)
paste <(windows "$(plus "$start" 1)" "$(plus "$start" 9)" 0.25) \
      <(HEARD=$track windows "$(plus "$track_start" 1)" "$(plus "$track_start" 9)" 0.25) > "$E2E_HOME/envelope.txt"
read -r gain spread <<<"$(awk '{ d[NR] = $2 - $5; s += d[NR] } END {
    m = s / NR; for (i = 1; i <= NR; i++) { e = d[i] - m; if (e < 0) e = -e; if (e > w) w = e }
    printf "%.2f %.2f\n", m, w }' "$E2E_HOME/envelope.txt")"
echo "title music: $gain dB against its file, every 0.25 s within $spread dB of that"
holds "$spread < 2" || fail "the title music does not follow its file (off by up to $spread dB)"
holds "$gain > -8.7 && $gain < -7.5" || fail "the title music plays $gain dB against its file, not about -8.1 dB"

loop=$(awk -v t="$(HEARD=$track rms 0 1000)" -v g="$gain" 'BEGIN { printf "%.1f\n", t + g }')
read -r opening_rms opening_peak <<<"$(level "$start" "$(plus "$start" 20)")"
opening_clipped=$(clipped "$start" "$(plus "$start" 20)")
echo "title music: a whole loop at $loop dBFS RMS; its first 20 s at $opening_rms dBFS RMS, peak $opening_peak dBFS, $opening_clipped samples clipped"
holds "$loop >= -24 && $loop <= -18" || fail "a loop of the title music would be $loop dBFS RMS, not about -20"
holds "$opening_rms >= -24" || fail "the first 20 s of the title music play at $opening_rms dBFS RMS, fainter than -24"
[ "$opening_clipped" = 0 ] || fail "the first 20 s of the title music clip $opening_clipped samples"

# The five loudest effects by peak, all in one frame, over the loudest
# music: track 1, the music of the levels without a boss.
loudest=()
while read -r _ name; do
  loudest+=("$(sed -n "/^\[$name\]/,/^\[/ s/^tag *= *//p" "$YK_DATA/sfx-1.ykd" | tr -d '\r')")
done < <(for f in "$YK_DATA"/sfx/*.wav; do
           echo "$(sox "$f" -n stats 2>&1 | awk '/^Pk lev dB/ { print $4 }') $(basename "$f" .wav)"
         done | sort -rn | awk 'NR <= 5')
echo "burst: ${loudest[*]}"
rm -f "$HEARD"
(cd "$E2E_HOME" && "$YK_BURST" 1 1.5 1.5 "${loudest[@]}") 2>"$E2E_HOME/burst.log" || fail "yk-sound-burst: $(cat "$E2E_HOME/burst.log")"
music=$(first_sound 0 5)
end=$(heard)
# The music alone never reaches full scale, so every clipped sample of the
# take is the burst's; they are counted against the longest effect's span.
read -r median loudest_window <<<"$(windows "$(plus "$music" 0.5)" "$end" 0.1 |
  sort -k2 -n | awk '{ l[NR] = $2 } END { print l[int((NR + 1) / 2)], l[NR] }')"
holds "$loudest_window > $median + 4" || fail "no burst over the music (loudest 0.1 s $loudest_window dBFS, median $median dBFS)"
span=$(for f in "$YK_DATA"/sfx/*.wav; do soxi -D "$f"; done | sort -n | tail -n1)
clip=$(awk -v c="$(clipped "$music" "$end")" -v s="$span" 'BEGIN { printf "%.4f\n", 100 * c / (s * 88200) }')
echo "burst over the level music: median 0.1 s $median dBFS RMS, loudest $loudest_window dBFS RMS, $clip % of its $span s clipped"
holds "$clip <= 0.1" || fail "$clip % of the burst clipped"
echo ok
