#!/usr/bin/env bash
# Builds the picker and starts it. On Linux it runs under Wine: on $DISPLAY when there is one,
# otherwise in a private X display, where it shows for a few seconds, a screenshot is saved and
# the info text is printed before it ends.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win64 win32

if [[ -n "${DISPLAY:-}" ]]; then
  WINEDEBUG=-all exec /usr/lib/wine/wine64 build/win64/tintora.exe
fi

shot="build/tintora-screenshot.png"
scripts/with-wine.sh bash -c '
  "$WINE64" build/win64/tintora.exe & pid=$!
  sleep 4
  import -window root "$1"
  "$WINE64" build/win64/tests/e2e/show_info.exe || true
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
' run "$shot"
echo "Screenshot: $shot"
