#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a desktop relies on: the command, a
# menu entry the validator accepts, the icon and the command that entry names, and the
# software-centre description under the same id.
# Usage: install_check.sh CMAKE BUILD_DIR PREFIX
set -euo pipefail
cmake=$1 build=$2 prefix=$3
fail() { echo "install check: $*" >&2; exit 1; }

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/kvat" ] || fail "bin/kvat was not installed"
version=$("$prefix/bin/kvat" --version)
[ "$version" = "Kvat 1.05" ] || fail "the installed kvat says '$version'"

desktops=("$prefix"/share/applications/*.desktop)
[ ${#desktops[@]} -eq 1 ] && [ -f "${desktops[0]}" ] || fail "expected one desktop entry"
desktop=${desktops[0]}
id=$(basename "$desktop" .desktop)
[[ $id =~ ^[a-z]+(\.[A-Za-z0-9_-]+){2,}$ ]] || fail "'$id' is not a reverse-DNS name"
desktop-file-validate "$desktop"

metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$metainfo" ] || fail "no metainfo named after $id"
appstream-util validate-relax --nonet "$metainfo" >/dev/null
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"

# What the entry names must be where the desktop looks for it.
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$command" ] || fail "Exec=$command is not an installed command"
icon=$(sed -n 's/^Icon=//p' "$desktop")
hicolor=$prefix/share/icons/hicolor
[ -f "$hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon.svg"
png=$hicolor/128x128/apps/$icon.png
[ -f "$png" ] || fail "no 128x128 icon $icon.png"
# A PNG's width and height stand big-endian at bytes 16 to 23.
size=$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ')
[ "$size" = " 0 0 0 128 0 0 0 128" ] || fail "$icon.png is not 128x128 (bytes:$size)"
# kvat runs the desktop program for pictures from where it installed it.
picture=$prefix/score.svg
echo "лес" | QT_QPA_PLATFORM=offscreen KVAT_DATA_DIR=$prefix/data "$prefix/bin/kvat" score -o "$picture" ||
    fail "the installed kvat draws no picture"
head -c 5 "$picture" | grep -q "<?xml" || fail "the installed kvat's picture is no SVG"
echo "install check: $id installed and valid"
