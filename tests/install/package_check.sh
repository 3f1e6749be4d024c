#!/usr/bin/env bash
# Builds the Debian package as `make package` does, holds it to Debian's lintian, unpacks it into
# a scratch root and runs what it installed: the command on a verse, the manual page against
# --help, the menu entry and the software-centre description.
# Usage: package_check.sh CPACK BUILD_DIR KVAT VERSE SCRATCH
set -euo pipefail
cpack=$1 build=$2 built_kvat=$3 verse=$4 scratch=$5
fail() { echo "package check: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >/dev/null
debs=("$scratch"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $scratch"
deb=${debs[0]}
version=$("$built_kvat" --version)
name=kvat_${version#Kvat }_$(dpkg --print-architecture).deb
[ "$(basename "$deb")" = "$name" ] || fail "the package is $(basename "$deb"), not $name"

# Errors and warnings fail; lintian's informational tags do not. Those it gives today come from
# the project's own compiler flags rather than Debian's (no -D_FORTIFY_SOURCE, no -z now).
lintian --fail-on error,warning "$deb" || fail "lintian finds fault with $name"

# Only the program's own folders, never a build or test file.
dpkg-deb -c "$deb" | awk '{print $6}' | while read -r path; do
    case $path in
    ./ | ./usr/ | ./usr/bin/ | ./usr/bin/kvat | ./usr/libexec/ | ./usr/libexec/kvat/* | \
        ./usr/share/ | ./usr/share/applications/* | ./usr/share/metainfo/* | \
        ./usr/share/man/ | ./usr/share/man/man1/* | ./usr/share/doc/ | ./usr/share/doc/kvat/* | \
        ./usr/share/icons/ | ./usr/share/icons/hicolor/*) ;;
    *) fail "the package holds $path" ;;
    esac
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
kvat=$root/usr/bin/kvat
[ "$("$kvat" --version)" = "$version" ] || fail "the installed kvat is not $version"
"$kvat" midi "$verse" -o "$scratch/installed.mid"
"$built_kvat" midi "$verse" -o "$scratch/built.mid"
cmp -s "$scratch/installed.mid" "$scratch/built.mid" ||
    fail "the installed kvat writes another MIDI file than the build's"
for doc in copyright changelog.gz; do
    [ -s "$root/usr/share/doc/kvat/$doc" ] || fail "no /usr/share/doc/kvat/$doc"
done

# The manual page reads without a warning and names every command and option --help does.
page=$root/usr/share/man/man1/kvat.1.gz
text=$(MANWIDTH=200 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>"$scratch/man.err")
[ ! -s "$scratch/man.err" ] || fail "man warns: $(head -n 3 "$scratch/man.err")"
help=$("$kvat" --help)
words=$(grep -oE -- '--[a-z-]+|^  kvat [a-z]+' <<<"$help" | sort -u)
[ "$(wc -l <<<"$words")" -gt 30 ] || fail "--help names too few options and commands"
while read -r word; do
    grep -qF -- "${word#  }" <<<"$text" || fail "the manual page lacks '${word#  }'"
done <<<"$words"

desktops=("$root"/usr/share/applications/*.desktop)
[ ${#desktops[@]} -eq 1 ] && [ -f "${desktops[0]}" ] || fail "expected one desktop entry"
desktop-file-validate "${desktops[0]}"
id=$(basename "${desktops[0]}" .desktop)
appstream-util validate-relax --nonet "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "${desktops[0]}")
[ -x "$root/usr/bin/$command" ] || fail "the menu entry runs $command, which is not installed"
icon=$(sed -n 's/^Icon=//p' "${desktops[0]}")
[ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "no 48x48 icon $icon.png"
echo "package check: $name is clean and installs $id"
