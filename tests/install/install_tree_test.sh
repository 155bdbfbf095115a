#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR under /usr/local and checks what a
# player's machine would get: the tree, the installed game playing a level
# from an unrelated folder, the desktop entry, the metadata, the icons and
# the manual pages.
#   install_tree_test.sh BUILD_DIR SCRATCH VERSION APP_ID
set -uo pipefail
build=$1 scratch=$2 version=$3 appid=$4
source "$(dirname "$0")/common.sh"

rm -rf "$scratch"
mkdir -p "$scratch/elsewhere"
dest=$scratch/dest
root=$dest/usr/local
DESTDIR=$dest cmake --install "$build" --prefix /usr/local >/dev/null || { echo "cmake --install failed" >&2; exit 1; }

# The tree, file by file.
expected="bin/quenchway
bin/quenchway-levels
share/applications/$appid.desktop
share/doc/quenchway/changelog
share/doc/quenchway/copyright
share/metainfo/$appid.metainfo.xml
share/man/man6/quenchway.6
share/man/man6/quenchway-levels.6
share/quenchway/data/qw_images.dat
share/quenchway/data/qw_layout.dat
share/quenchway/data/qw_levels.dat
share/quenchway/data/themes/contrast/pieces.bmp
share/quenchway/data/themes/contrast/qw_images.dat
share/quenchway/data/themes/contrast/toolbar.bmp
share/quenchway/data/themes/dark/pieces.bmp
share/quenchway/data/themes/dark/qw_images.dat
share/quenchway/data/themes/dark/toolbar.bmp
share/quenchway/resources/pieces.bmp
share/icons/hicolor/scalable/apps/$appid.svg"
for s in 16 24 32 48 64 128 256; do
  expected+=$'\n'"share/icons/hicolor/${s}x${s}/apps/$appid.png"
done
actual=$(cd "$root" && find . -not -type d | sed 's#^\./##' | LC_ALL=C sort)
diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") >&2 || fail "the installed tree differs (- expected, + installed)"
for b in quenchway quenchway-levels; do
  [ -x "$root/bin/$b" ] || fail "bin/$b is not executable"
done

# The installed game, started from a folder that has nothing to do with it,
# finds its data in share/quenchway/data and solves the first level; the
# build's own copy must print and paint exactly the same.
game=$root/bin/quenchway
cd "$scratch/elsewhere" || exit 1
[ "$("$game" --version)" = "quenchway $version" ] || fail "quenchway --version does not print $version"
script=$(first_level_script "$root/share/quenchway" "$root/bin/quenchway-levels")
script+=$'\nshot installed.bmp'
out=$("$game" --script - <<<"$script") || fail "the installed game exited with $?"
grep -qx "mode 3" <<<"$out" || fail "the installed game did not solve the first level: $out"
grep -q "^message: Password for next level is: " <<<"$out" || fail "no password for the second level"
grep -qx "level 1" <<<"$out" || fail "the installed game did not go on to the second level"
reference=$(cd "$build" && ./quenchway --script - <<<"${script/installed.bmp/$scratch/reference.bmp}")
[ "$out" = "$reference" ] || fail "the installed game and the build's differ"
cmp -s installed.bmp "$scratch/reference.bmp" || fail "the installed game paints differently from the build's"
"$root/bin/quenchway-levels" show "$root/share/quenchway/data/qw_levels.dat" 3 --solved --png level3.png >/dev/null ||
  fail "the installed quenchway-levels cannot draw a level"

# Without the shared data folder the game looks beside itself, as it always
# did, and says what it has always said.
mv "$root/share/quenchway/data" "$root/share/quenchway/data.away"
out=$("$game" --script - </dev/null)
status=$?
[ "$status" = 1 ] || fail "without data the game exited with $status"
for what in image layout levels; do
  grep -qxF "message: Could not load $what.\r\nExiting..." <<<"$out" || fail "without data the game said: $out"
done
mv "$root/share/quenchway/data.away" "$root/share/quenchway/data"

# Desktop entry and AppStream metadata: valid, one id everywhere, the version
# of the build.
desktop=$root/share/applications/$appid.desktop
metainfo=$root/share/metainfo/$appid.metainfo.xml
desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$metainfo" >&2 || fail "appstreamcli rejects the metadata"
grep -qx "Icon=$appid" "$desktop" || fail "the desktop entry's icon is not $appid"
grep -qx "Exec=quenchway" "$desktop" || fail "the desktop entry does not start quenchway"
grep -qx "Categories=Game;LogicGame;" "$desktop" || fail "the desktop entry's categories"
grep -q "<id>$appid</id>" "$metainfo" || fail "the metadata's id is not $appid"
grep -q "<launchable type=\"desktop-id\">$appid.desktop</launchable>" "$metainfo" || fail "the metadata launches no $appid.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata's release is not $version"
for b in quenchway quenchway-levels; do
  grep -q "<binary>$b</binary>" "$metainfo" || fail "the metadata does not provide $b"
done

# Icons: a PNG of its size at every size, with transparency; the SVG is one.
for s in 16 24 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${s}x${s}/apps/$appid.png
  got=$(identify -format '%m %w %h %[channels]' "$icon" 2>&1)
  [ "$got" = "PNG $s $s srgba" ] || fail "the ${s}x${s} icon is '$got'"
done
file -b "$root/share/icons/hicolor/scalable/apps/$appid.svg" | grep -q "SVG" || fail "the scalable icon is no SVG"

# Manual pages: render without a warning and name their program.
for page in quenchway quenchway-levels; do
  warnings=$(MANWIDTH=80 man --warnings -l "$root/share/man/man6/$page.6" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $page.6: $warnings"
  MANWIDTH=80 man -l "$root/share/man/man6/$page.6" 2>/dev/null | grep -q "^ *$page - " || fail "$page.6 has no NAME line"
done

cd / && rm -rf "$scratch"
finish
