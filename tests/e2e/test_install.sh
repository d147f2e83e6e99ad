#!/usr/bin/env bash
# cmake --install into a temporary prefix gives a program that runs from
# anywhere and keeps its files in the player's XDG folder, a valid menu
# entry and AppStream file, icons at four sizes and a manual page.
source "$(dirname "$0")/lib.sh"
: "${YK_BUILD:?the build folder}"
prefix="$E2E_HOME/prefix"
cmake --install "$YK_BUILD" --prefix "$prefix" >/dev/null
desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
grep -q '^Categories=Game;ArcadeGame;$' "$prefix"/share/applications/*.desktop || fail "categories"
for s in 32 64 128 256; do
  icon="$prefix/share/icons/hicolor/${s}x${s}/apps/yolvar-krandel.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${s}x${s}" ] || fail "icon $icon"
done
zcat "$prefix/share/man/man6/yolvar-krandel.6.gz" | grep -q '^\.SH NAME' || fail "manual page"
[ -x "$prefix/games/yolvar-krandel" ] || fail "no program in games/"
[ -f "$prefix/share/games/yolvar-krandel/control-1.ykd" ] || fail "no data in share/games/yolvar-krandel"
start_x
play_installed "$prefix/games/yolvar-krandel" "$prefix/share/games/yolvar-krandel"
echo ok
