#!/usr/bin/env bash
# Maps the Windows tests' drives into the Wine prefix $WINEPREFIX, as folders
# under BUILD_DIR/wine-drives (made afresh):
#   D: and E: for the file system tests (E:\linked\folder-link is a link to
#      the folder beside it), G: for the window's tests,
#   F: a letter whose folder is not there: a drive with no medium in it.
set -euo pipefail
drives=$(realpath -m "$1")/wine-drives
rm -rf "$drives"
mkdir -p "$drives/d" "$drives/e/linked/folder" "$drives/g"
ln -s folder "$drives/e/linked/folder-link"
printf 'QUARVEL-D' >"$drives/d/.windows-label"  # Wine reads a drive's label from here
touch "$drives/d/.quarvel2-test-drive"
for letter in d e f g; do
  ln -sfn "$drives/$letter" "$WINEPREFIX/dosdevices/$letter:"
done
# K: is mapped by scripts/test-windows once Wine's server runs, so that the
# system does not list it.
rm -f "$WINEPREFIX/dosdevices/k:"
