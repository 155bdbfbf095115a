#!/usr/bin/env bash
# Builds the Debian package from the build folder with CPack and checks it as
# apt would install it: its name, control fields and dependencies, its files,
# the game run from the PATH of a scratch root it is unpacked into, and
# lintian's verdict.
#   deb_test.sh BUILD_DIR SCRATCH VERSION APP_ID
set -uo pipefail
build=$1 scratch=$2 version=$3 appid=$4
source "$(dirname "$0")/common.sh"

rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/elsewhere"
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || {
  cat "$scratch/cpack.log" >&2
  echo "cpack failed" >&2
  exit 1
}
deb=$scratch/out/quenchway_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "no $deb; cpack made: $(ls "$scratch/out")" >&2; exit 1; }

# Control fields: the shared libraries dpkg-shlibdeps found, and the font.
info=$(dpkg-deb --info "$deb")
for field in "Package: quenchway" "Version: $version" "Section: games" "Architecture: $(dpkg --print-architecture)"; do
  grep -qx " $field" <<<"$info" || fail "the control file has no '$field'"
done
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
for lib in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfontconfig1 fonts-liberation; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib: $depends"
done

# The files, as Debian lays them out: programs in /usr/games, manual pages
# and changelog compressed.
expected="usr/games/quenchway
usr/games/quenchway-levels
usr/share/applications/$appid.desktop
usr/share/doc/quenchway/changelog.gz
usr/share/doc/quenchway/copyright
usr/share/metainfo/$appid.metainfo.xml
usr/share/man/man6/quenchway.6.gz
usr/share/man/man6/quenchway-levels.6.gz
usr/share/quenchway/data/qw_images.dat
usr/share/quenchway/data/qw_layout.dat
usr/share/quenchway/data/qw_levels.dat
usr/share/quenchway/data/themes/contrast/pieces.bmp
usr/share/quenchway/data/themes/contrast/qw_images.dat
usr/share/quenchway/data/themes/contrast/toolbar.bmp
usr/share/quenchway/data/themes/dark/pieces.bmp
usr/share/quenchway/data/themes/dark/qw_images.dat
usr/share/quenchway/data/themes/dark/toolbar.bmp
usr/share/quenchway/resources/pieces.bmp
usr/share/icons/hicolor/scalable/apps/$appid.svg"
for s in 16 24 32 48 64 128 256; do
  expected+=$'\n'"usr/share/icons/hicolor/${s}x${s}/apps/$appid.png"
done
actual=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort)
diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") >&2 || fail "the package's files differ (- expected, + packaged)"

# Unpacked into a scratch root, the game runs from the PATH, from anywhere.
root=$scratch/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack the package"
cd "$scratch/elsewhere" || exit 1
got=$(PATH="$root/usr/games:/usr/bin:/bin" quenchway --version)
[ "$got" = "quenchway $version" ] || fail "quenchway --version from the PATH printed '$got'"
script=$(first_level_script "$root/usr/share/quenchway" "$root/usr/games/quenchway-levels")
out=$(PATH="$root/usr/games:/usr/bin:/bin" quenchway --script - <<<"$script") || fail "the packaged game exited with $?"
grep -qx "mode 3" <<<"$out" || fail "the packaged game did not solve the first level"
for program in quenchway quenchway-levels; do
  file -b "$root/usr/games/$program" | grep -q ", stripped" || fail "$program is not stripped"
done
desktop=$root/usr/share/applications/$appid.desktop
desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate rejects the packaged desktop entry"
grep -qx "Exec=/usr/games/quenchway" "$desktop" || fail "the packaged desktop entry does not start /usr/games/quenchway"
[ "$(zcat "$root/usr/share/doc/quenchway/changelog.gz" | head -1)" = "quenchway ($version) unstable; urgency=medium" ] ||
  fail "the changelog's last entry is not version $version"
for page in quenchway quenchway-levels; do
  warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/$page.6.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $page.6.gz: $warnings"
done

# lintian: no errors; warnings and notes are shown.
lintian --fail-on error --info "$deb" 2>&1 | grep -v "running with root privileges" >&2
[ "${PIPESTATUS[0]}" = 0 ] || fail "lintian reports errors"

cd / && rm -rf "$scratch"
finish
