#!/usr/bin/env bash
# Configures and builds the given presets (all of them when none is named).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
presets=("$@")
((${#presets[@]})) || presets=(win32 win64 host host-asan)
for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
done
