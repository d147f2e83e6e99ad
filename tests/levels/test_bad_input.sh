#!/usr/bin/env bash
# The level linter finds each kind of broken level file, and the autopilot
# turns bad arguments and damaged recordings away with a message.
set -u
: "${YK_LINT:?}" "${YK_AUTOPLAY:?}" "${YK_DATA:?}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A tiny data folder: the real base file, a system file with an (empty)
# image set, and one level per case.
setup() {
  rm -rf "$WORK/d" && mkdir -p "$WORK/d/data/states"
  cp "$YK_DATA/states/base.yks" "$WORK/d/data/states/"
  : > "$WORK/d/data/bitmap-circulatory.ykd"
  printf '[include]\nparent=base\nimageSet=bitmap-circulatory\n' > "$WORK/d/data/states/circulatory.yks"
}
level() { # NAME BODY: a level file over the system file
  printf '[include]\nparent=circulatory\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=4\n%b' "$2" \
    > "$WORK/d/data/states/$1.yks"
}
BOSS_KEYS='[boss-move]\ncvar_boss_turnspeed=4\ncvar_boss_walkspeed=1\ncvar_boss_runspeed=2\n[boss-fight]\ncvar_boss_attackfreq=0\ncvar_boss_damagePerOtherHarm=10\ncvar_boss_hsecInvincibleWhenHurt=100\n[boss-think]\ncvar_boss_hsecBetweenThinking=200\ncvar_boss_hsecBetweenThinkingWhenMad=100\n'
EGGS='[eggSet1]\neggNum=5\n'

expect_lint() { # CASE EXPECTED-TEXT BODY [EXTRA-SETUP]
  setup
  level play-1 "$3"
  [ -n "${4:-}" ] && eval "$4"
  local out
  out="$(cd "$WORK/d" && "$YK_LINT" play-1 2>&1)"
  local rc=$?
  if [ "$2" = "OK" ]; then
    [ $rc -eq 0 ] || fail "$1: expected no problem, got: $out"
  else
    [ $rc -eq 1 ] && grep -qF "$2" <<<"$out" || fail "$1: expected \"$2\" (rc 1), got rc $rc: $out"
  fi
}

S="$WORK/d/data/states"
expect_lint "a sound level" OK "$EGGS"
expect_lint "parent loop" "parent chain comes back" "$EGGS" "printf '[include]\nparent=play-1\nimageSet=noLoad\n' > $S/base.yks"
expect_lint "missing parent" "does not exist" "$EGGS" "rm $S/base.yks"
expect_lint "no imageSet entry" "has no imageSet entry" "$EGGS" "printf '[include]\nparent=base\n' > $S/circulatory.yks"
expect_lint "missing image set" "image set \"bitmap-circulatory\"" "$EGGS" "rm $WORK/d/data/bitmap-circulatory.ykd"
expect_lint "top file loads images" "names an image set itself" "$EGGS" "sed -i 's/imageSet=noLoad/imageSet=bitmap-circulatory/' $S/play-1.yks"
expect_lint "unknown toy" "unknown toy type \"SPOON\"" "$EGGS[toySet1]\ntoyNum=2\ntype=SPOON\n"
expect_lint "unknown boss" "unknown boss type \"DRAGON\"" "$EGGS[boss]\ntype=DRAGON\n"
expect_lint "boss key left out" "cvar_boss_damagePerPlayerBump is not stated" "$EGGS[boss]\ntype=EGGLAY\n$BOSS_KEYS"
expect_lint "boss nobody can hurt" "nothing can hurt the boss" "$EGGS[boss]\ntype=CHASER\n${BOSS_KEYS}[boss-fight]\ncvar_boss_damagePerPlayerBump=-1\n"
expect_lint "boss area in order" OK "$EGGS[boss]\ntype=CHASER\nbossL=0.5\nbossR=0.95\n${BOSS_KEYS}[boss-fight]\ncvar_boss_damagePerPlayerBump=20\n"
expect_lint "boss area reversed" "boss area runs backwards" "$EGGS[boss]\ntype=CHASER\nbossL=0.95\nbossR=0.5\n${BOSS_KEYS}[boss-fight]\ncvar_boss_damagePerPlayerBump=20\n"
expect_lint "gobbler without food" "gobbler without food" "$EGGS[boss]\ntype=GOBBLE\n${BOSS_KEYS}[boss-fight]\ncvar_boss_damagePerPlayerBump=20\n"
expect_lint "eggs on the start point" "within the clearance" "[eggSet1]\neggNum=3\neggX=0.5\neggY=0.5\n"
expect_lint "toys on the start point" "within the clearance" "$EGGS[toySet1]\ntoyNum=1\ntype=NERVE\ntoyX=0.5\ntoyY=0.5\n"
expect_lint "eggs outside the arena" "reaches outside the arena" "[eggSet1]\neggNum=3\neggL=0.5\neggR=1.4\n"
expect_lint "target out of reach" "more than the 2 points on offer" "[eggSet1]\neggNum=1\n"
expect_lint "zero wind interval" "cvar_windXInterval" "$EGGS[action]\ncvar_windXInterval=0\n"
expect_lint "zero freeze time" "cvar_pup_freeze_time" "$EGGS[pup_freeze]\ncvar_pup_freeze_time=0\n"
expect_lint "power-ups meant but weightless" "power-up weights are all zero" "[eggSet1]\neggNum=5\nl_speedup_freq=0\n"
expect_lint "Go! before the count-down" "cvar_hSecBeforeLevelStartSayGo" "$EGGS[timing]\ncvar_hSecBeforeLevelStartSayGo=900\n"

# Wild values: the loaders hold them to what the game can take and say so;
# the linter reports each as a problem.
OOB="out of bounds: data/states/play-1.yks: "
expect_lint "not-a-number tunable" "$OOB[action] cvar_windXPower is not a number" "$EGGS[action]\ncvar_windXPower=nan\n"
expect_lint "overflowing radius" "$OOB[action] cvar_crackRadius -2147483648 is below" "$EGGS[action]\ncvar_crackRadius=-2147483648\n"
expect_lint "egg far outside" "$OOB[eggSet1] eggX 1e+30 is above 10" "[eggSet1]\neggNum=5\neggX=1e30\n"
expect_lint "egg count" "$OOB[eggSet1] eggNum 2147483647 is above 500" "[eggSet1]\neggNum=2147483647\n"
expect_lint "toy count" "$OOB[toySet1] toyNum 50000 is above 100" "$EGGS[toySet1]\ntoyNum=50000\ntype=NERVE\n"
expect_lint "boss far outside" "$OOB[boss] bossX 1e+08 is above 10" "$EGGS[boss]\ntype=CHASER\nbossX=99999999\n${BOSS_KEYS}[boss-fight]\ncvar_boss_damagePerPlayerBump=20\n"
expect_lint "boss tunable" "$OOB[boss-move] cvar_boss_walkspeed is not a number" "$EGGS[boss]\ntype=CHASER\n${BOSS_KEYS/walkspeed=1/walkspeed=nan}[boss-fight]\ncvar_boss_damagePerPlayerBump=20\n"
expect_lint "parent chain too deep" "parent chain is longer than 64 files" "$EGGS" \
  "sed -i 's/parent=circulatory/parent=deep1/' $S/play-1.yks; for i in \$(seq 1 99); do printf '[include]\nparent=deep%d\nimageSet=noLoad\n' \$((i + 1)) > $S/deep\$i.yks; done; printf '[include]\nparent=circulatory\nimageSet=noLoad\n' > $S/deep100.yks"

# The whole folder: every level of the campaign must be there.
setup
out="$(cd "$WORK/d" && "$YK_LINT" 2>&1)"
grep -qF "play-35: level file is missing" <<<"$out" || fail "missing level files: $out"

# The autopilot refuses what it cannot use, with a message and exit code 2.
expect_autoplay() { # CASE EXPECTED-TEXT ARGS...
  local name="$1" text="$2"; shift 2
  local out rc
  out="$("$YK_AUTOPLAY" --data "$YK_DATA" "$@" 2>&1)"; rc=$?
  [ $rc -eq 2 ] && grep -qF -- "$text" <<<"$out" || fail "$name: expected \"$text\" (rc 2), got rc $rc: $out"
}
printf 'yk-autoplay inputs 1\nlevel 1 seed 5 ticks 3 points 0 won 0 keys 2:0\n' > "$WORK/short.txt"
printf 'yk-autoplay inputs 1\nlevel 1 seed 5 ticks 99999999999 points 0 won 0 keys 99999999999:1\n' > "$WORK/huge.txt"
printf 'something else\n' > "$WORK/other.txt"
expect_autoplay "unknown level" "unknown level \"36\"" 36
expect_autoplay "record and replay" "do not go together" --record "$WORK/a" --replay "$WORK/b"
expect_autoplay "missing recording" "not a recording" --replay "$WORK/none.txt"
expect_autoplay "foreign file" "not a recording" --replay "$WORK/other.txt"
expect_autoplay "tick count mismatch" "line 2 is damaged" --replay "$WORK/short.txt"
expect_autoplay "tampered count" "line 2 is damaged" --replay "$WORK/huge.txt"
expect_autoplay "no data" "no state files" 1 --data "$WORK/nowhere"
expect_autoplay "bad seed shift" "--seed-shift needs a number" --seed-shift x

# A level nobody can finish, on values far past the limits: the autopilot
# gives up after its time with a line that says so, and fails the level.
setup
level play-1 "[eggSet1]\neggNum=2147483647\neggX=1e30\nl_hSecEggMinLife=9000000\nl_hSecEggMaxLife=9000000\n[action]\ncvar_movePowerArrow=1e30\ncvar_crackRadius=-2147483648\n"
out="$(timeout 300 "$YK_AUTOPLAY" --data "$WORK/d/data" 1 2>&1)"; rc=$?
[ $rc -eq 1 ] && grep -qF "gave up" <<<"$out" || fail "unfinishable level: expected \"gave up\" (rc 1), got rc $rc: $out"

echo "$failures failures"
[ $failures -eq 0 ]
