#!/usr/bin/env bash
# Installs the program into a scratch root and checks what a desktop finds
# there; starts the program with arguments it does not know, which it must
# ignore. The Debian package is checked by package_test.sh.
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
share="$scratch/root/usr/share"
[ -x "$scratch/root/usr/bin/quarvel2" ] || fail "no executable in bin/"
desktop="$share/applications/org.quarvel.Quarvel2.desktop"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -qx 'Exec=quarvel2' "$desktop" || fail "Exec is not plain quarvel2"
grep -qx 'Icon=org.quarvel.Quarvel2' "$desktop" || fail "Icon does not name the theme icon"
appstreamcli validate --no-net "$share/metainfo/org.quarvel.Quarvel2.metainfo.xml" >/dev/null ||
  fail "metainfo does not validate"
grep -q "release version=\"$version\"" "$share/metainfo/org.quarvel.Quarvel2.metainfo.xml" || fail "no release $version"
for size in 16 32 48; do
  icon="$share/icons/hicolor/${size}x${size}/apps/org.quarvel.Quarvel2.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size is not ${size}x${size}"
done

# Unknown arguments are ignored: the program is still running when stopped.
status=0
(cd "$scratch" && QT_QPA_PLATFORM=offscreen timeout 3 "$build/app/qt/quarvel2" --no-such-option some/file -x) || status=$?
[ "$status" -eq 124 ] || fail "the program ended by itself with status $status when given arguments"
echo "install, package and arguments: passed"
