#!/usr/bin/env bash
# Space on the title enters play, which writes a fresh high-score file with
# 39 zero entries and a checksum of 0; Escape still quits from the title.
source "$(dirname "$0")/lib.sh"
start_x
make_home
start_game
win=$(wait_window)
sleep 0.5
press space
for _ in $(seq 50); do [ -f "$E2E_HOME/score.yk" ] && break; sleep 0.1; done
[ -f "$E2E_HOME/score.yk" ] || fail "no score.yk after Space"
for i in $(seq 0 38); do
  grep -qE "^$i *= *0$" "$E2E_HOME/score.yk" || fail "entry $i is not 0: $(cat "$E2E_HOME/score.yk")"
done
grep -qE '^dontcheat *= *0$' "$E2E_HOME/score.yk" || fail "checksum is not 0"
sleep 0.3
press Escape
press Escape
code=$(wait_exit)
[ "$code" = 0 ] || fail "exit code $code"
echo ok
