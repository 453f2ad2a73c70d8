#!/usr/bin/env bash
# Runs the picker for a long time under Wine (ten minutes unless given in seconds): the cursor
# moving over changing colours, the magnifier on, a copy every second. Prints the written memory
# after warm-up and at the end, and fails when the readout is wrong at the end or the memory grew.
# GDI objects are not counted: Wine does not report them for a process. The test command runs
# the same for one minute.
# Usage: scripts/soak.sh [SECONDS]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win64 >/dev/null
TINTORA_SOAK_SECONDS="${1:-600}" scripts/with-wine.sh build/win64/tests/e2e/hardening_e2e.exe --gtest_filter='Soak.*'
