#!/usr/bin/env bash
# Installs the MSI $1 (version $2) under Wine in a fresh prefix as an
# administrator would, silently: the program, its Start Menu shortcut and its
# uninstall entry must be there, and the installed program must open its
# window; uninstalling must leave none of them.
set -euo pipefail
export USER=${USER:-$(id -un)}
msi=$(realpath "$1")
version=$2
if [ "${3:-}" != --inside-display ]; then
  exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$msi" "$version" --inside-display
fi
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX=$(mktemp -d) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$wine" wineboot -i >/dev/null 2>&1
program="$WINEPREFIX/drive_c/Program Files/quarvel2/quarvel2.exe"
# All users' Start Menu, as Windows does per machine; Wine 8 puts it in the
# installing user's own, whatever ALLUSERS says.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quarvel 2.0.lnk"
           "$WINEPREFIX/drive_c/users/$USER/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quarvel 2.0.lnk")
shortcut() { ls "${shortcuts[@]}" 2>/dev/null || true; }
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The values of the uninstall key whose DisplayName is the program's.
entry() {
  "$wine" reg query "$uninstall" /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { if (found) print block; block = ""; found = 0 } { block = block $0 "\n" }
         /DisplayName.*Quarvel 2\.0/ { found = 1 } END { if (found) print block }'
}

"$wine" msiexec /i "$("$wine" winepath -w "$msi" 2>/dev/null)" /qn >/dev/null 2>&1 ||
  fail "msiexec /i failed"
[ -f "$program" ] || fail "quarvel2.exe is not in Program Files\\quarvel2"
[ -n "$(shortcut)" ] || fail "no Start Menu shortcut"
found=$(entry)
for value in "DisplayVersion.*${version%%.*}\." "Publisher.*Zobrel and Kaspiet" "DisplayIcon"; do
  grep -q "$value" <<<"$found" || fail "the uninstall entry lacks $value"
done
[ ! -e "$(dirname "$program")/ucc.exe" ] || fail "the stand-in packer was installed beside the program"

# The installed program opens its window.
"$wine" "$program" >/dev/null 2>&1 &
for _ in $(seq 300); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Quarvel 2.0"' && break
  sleep 0.1
done
xwininfo -root -tree | grep -q '"Quarvel 2.0"' || fail "the installed program opened no window"
"$wineserver" -k >/dev/null 2>&1 || true
"$wineserver" -w

"$wine" msiexec /x "$("$wine" winepath -w "$msi" 2>/dev/null)" /qn >/dev/null 2>&1 || fail "msiexec /x failed"
[ ! -e "$(dirname "$program")" ] || fail "uninstalling left Program Files\\quarvel2"
[ -z "$(shortcut)" ] || fail "uninstalling left the shortcut"
[ -z "$(entry)" ] || fail "uninstalling left the uninstall entry"
"$wine" reg query 'HKLM\Software\Quarvel' >/dev/null 2>&1 && fail "uninstalling left HKLM\\Software\\Quarvel"
echo "msi install and uninstall: passed"
