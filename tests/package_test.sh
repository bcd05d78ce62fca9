#!/usr/bin/env bash
# Checks the three packages in folder $1 (made by scripts/package) as a user
# and an administrator would meet them: lintian on the Debian package, its
# install and purge with apt, and the MSI's install and uninstall under Wine
# in a fresh prefix, where the installed program must open its window. Root
# only: it installs into this system.
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "packages: skipped, installing them needs root"; exit 0; }
packages=$(realpath "$1")
version=$(sed -n 's/^project(quarvel2 VERSION \([^ ]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
fail() { echo "FAIL: $*"; exit 1; }
deb=$packages/quarvel2_${version}_amd64.deb
msi=$packages/quarvel2-$version-win64.msi
zip=$packages/quarvel2-$version-win64.zip
for file in "$deb" "$msi" "$zip"; do [ -s "$file" ] || fail "no $(basename "$file")"; done

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 qt6-qpa-plugins fonts-comic-neue; do
  [[ $depends == *$needed* ]] || fail "package does not depend on $needed"
done
dpkg-deb -c "$deb" | grep './usr/bin/quarvel2$' >/dev/null || fail "package lacks the executable"

echo "== lintian"
lintian --fail-on error,warning --pedantic "$deb" || fail "lintian"

echo "== apt install and purge"
before=$(mktemp) after=$(mktemp)
trap 'rm -f "$before" "$after"' EXIT
snapshot() { find /usr /etc /var/lib/dpkg/info -xdev \( -path /usr/src -prune \) -o -print 2>/dev/null | sort; }
dpkg-query -W quarvel2 >/dev/null 2>&1 && fail "quarvel2 is installed already"
snapshot >"$before"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null || fail "apt-get install"
command -v quarvel2 >/dev/null || fail "no quarvel2 on PATH after installing"
[ -f /usr/share/man/man1/quarvel2.1.gz ] || fail "no manual page"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quarvel2 >/dev/null || fail "apt-get purge"
snapshot >"$after"
left=$(comm -13 "$before" "$after")
[ -z "$left" ] || fail "purge left behind: $left"

echo "== zip"
unzip -Z1 "$zip" | grep -qx quarvel2.exe || fail "the zip does not hold quarvel2.exe at its top"
! unzip -Z1 "$zip" | grep -qi ucc || fail "the zip holds the stand-in packer"

echo "== msi under Wine"
bash "$(dirname "$0")/win32/msi_test.sh" "$msi" "$version"
echo "packages: passed"
