#!/usr/bin/env bash
# The Debian package: its dependencies are worked out from the shared
# libraries, lintian finds no errors, and unpacked into an empty root it
# plays like an installed game.
source "$(dirname "$0")/lib.sh"
: "${YK_BUILD:?the build folder}"
out="$E2E_HOME/package"
(cd "$YK_BUILD" && cpack -G DEB -B "$out" >/dev/null) || fail "cpack"
deb=$(ls "$out"/yolvar-krandel_*_amd64.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in liballegro4.4 libfreetype6 libvorbisfile3 libjpgalleg4.4 libloadpng4.4 libsdl2-2.0-0 fonts-dejavu-core; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section"
report=$(lintian "$deb" 2>&1 || true)
echo "$report"
! echo "$report" | grep -q '^E:' || fail "lintian reports errors"
root="$E2E_HOME/root"
dpkg -x "$deb" "$root"
# What the package depends on is not in the empty root: the font lives on the system.
ln -s /usr/share/fonts "$root/usr/share/fonts"
start_x
play_installed "$root/usr/games/yolvar-krandel" "$root/usr/share/games/yolvar-krandel"
echo ok
