#!/usr/bin/env bash
# Remakes docs/tintora.png from the real program under Wine: the picker with its magnifier open
# over a colour wheel, colours in its memos and the cursor beside it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win64 >/dev/null
shot=build/screenshot.bmp
rm -f "$shot"
scripts/with-wine.sh build/win64/tests/e2e/screenshot_scene.exe "$shot"
mkdir -p docs
# No time stamps in the file: the same scene gives the same bytes.
/usr/bin/convert "$shot" -strip -define png:exclude-chunks=date,time docs/tintora.png
echo docs/tintora.png
