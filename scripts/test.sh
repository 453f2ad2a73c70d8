#!/usr/bin/env bash
# Builds every preset and runs every test: the host unit tests, plain and under the sanitizers,
# the fuzz targets for a bounded time, and the Windows-side tests under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win32 win64 host host-asan
scripts/package.sh >/dev/null  # the resource tests read the program out of the download
ctest --test-dir build/host --output-on-failure "$@"
