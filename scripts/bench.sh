#!/usr/bin/env bash
# Builds the program and the benchmark, then measures the program beside its baselines under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win32 win64 >/dev/null
scripts/with-wine.sh build/win64/bench/bench.exe
printf '| %-34s | %10s KiB | (the shipped 32-bit exe; target <= 128 KiB)\n' "exe size, win32" \
  "$(( $(stat -c %s build/win32/tintora.exe) / 1024 ))"
