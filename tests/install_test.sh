#!/usr/bin/env bash
# Installs the program into a scratch root and checks what a desktop finds
# there; builds the Debian package and checks what it depends on; starts the
# program with arguments it does not know, which it must ignore.
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

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null) || fail "cpack failed"
deb=$(ls "$scratch"/package/quarvel2_"$version"_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 qt6-qpa-plugins fonts-comic-neue; do
  [[ $depends == *$needed* ]] || fail "package does not depend on $needed"
done
dpkg-deb -c "$deb" | grep './usr/bin/quarvel2$' >/dev/null || fail "package lacks the executable"

# Unknown arguments are ignored: the program is still running when stopped.
status=0
(cd "$scratch" && QT_QPA_PLATFORM=offscreen timeout 3 "$build/app/quarvel2" --no-such-option some/file -x) || status=$?
[ "$status" -eq 124 ] || fail "the program ended by itself with status $status when given arguments"
echo "install, package and arguments: passed"
