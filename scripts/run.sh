#!/usr/bin/env bash
# Builds the picker and starts it. On Linux it runs under Wine: on $DISPLAY when there is one,
# otherwise in a private X display, where it shows for a few seconds, a screenshot is saved and
# the info text is printed before it ends.
# Usage: scripts/run.sh        the x86_64 build
#        scripts/run.sh x86    the shipped 32-bit build, under qemu and a 32-bit Wine that
#                              scripts/setup-x86.sh fetches into build/x86 (needs root)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win64 win32
exe=build/win64/tintora.exe
if [[ ${1:-} == x86 ]]; then
  scripts/setup-x86.sh
  exe=build/win32/tintora.exe
  export TINTORA_ARCH=x86
fi

if [[ -n "${DISPLAY:-}" ]]; then
  # The 32-bit Wine exists only inside a run's own mount namespace, on a WoW64 prefix.
  [[ -n ${TINTORA_ARCH:-} ]] && TINTORA_SHOW=1 exec scripts/with-wine.sh "$exe"
  WINEDEBUG=-all exec /usr/lib/wine/wine64 "$exe"
fi

shot="build/tintora-screenshot.png"
scripts/with-wine.sh bash -c '
  "$WINE64" "$1" & pid=$!
  sleep 4
  import -window root "$2"
  "$WINE64" build/win64/tests/e2e/show_info.exe || true
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
' run "$exe" "$shot"
echo "Screenshot: $shot"
