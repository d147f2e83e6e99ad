#!/usr/bin/env bash
# Without an X server the program says so and ends with exit code 2,
# having set up nothing else.
source "$(dirname "$0")/lib.sh"
make_home
unset DISPLAY
code=0
(cd "$E2E_HOME" && exec "$YK_BIN") >"$E2E_HOME/out.log" 2>&1 || code=$?
[ "$code" = 2 ] || fail "exit code $code without a display"
[ -s "$E2E_HOME/out.log" ] || fail "no message without a display"
# Start-up stops there: no sound set-up, so no driver recorded.
! grep -q 'lastUsed' "$E2E_HOME/settings.ini" || fail "sound was set up without a display"
echo "message: $(head -c 200 "$E2E_HOME/out.log")"
echo "ok"
