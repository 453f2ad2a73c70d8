#!/usr/bin/env bash
# Screenshots of the main window with its magnifier at 100, 150 and 200 %, under Wine in a
# private display: build/dpi-100.png, build/dpi-150.png, build/dpi-200.png. The pointer rests at
# the middle of the screen, where X puts it, over the window's own readout, which the magnifier
# shows enlarged. Other scales may be named: scripts/dpi-screenshots.sh 125 175
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win64 >/dev/null

percents=("$@")
((${#percents[@]})) || percents=(100 150 200)
for percent in "${percents[@]}"; do
  dpi=$((percent * 96 / 100))
  TINTORA_DPI=$dpi scripts/with-wine.sh bash -c '
    percent=$1
    folder=$(mktemp -d /tmp/tintora-shot.XXXXXX)
    cp build/win64/tintora.exe "$folder/"
    # The window placed so that the screen middle (640, 512) falls on its readout.
    printf "[options]\r\nzoom=1\r\nx=%d\r\ny=%d\r\n" $((640 - percent)) $((512 - percent * 3 / 10)) >"$folder/tintora.ini"
    "$WINE64" "$folder/tintora.exe" & pid=$!
    sleep 4
    /usr/bin/import -window root -crop 900x420+$((640 - 2 * percent))+$((512 - percent)) +repage "build/dpi-$percent.png"
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    rm -rf "$folder"
  ' shot "$percent"
  echo "build/dpi-$percent.png"
done
