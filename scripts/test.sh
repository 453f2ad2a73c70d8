#!/usr/bin/env bash
# Builds every preset and runs every test: the host unit tests, plain and under the sanitizers,
# the fuzz targets for a bounded time, and the Windows-side tests under Wine, against the
# x86_64 build (e2e.*) and the shipped 32-bit one (e2e32.*).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
# Where 32-bit programs cannot run here, the e2e32 entries are skipped; say why up front.
if ! reason=$(scripts/setup-x86.sh); then
  echo "test: the 32-bit end-to-end entries (e2e32.*) will be skipped: ${reason##*$'\n'}"
fi
scripts/build.sh win32 win64 host host-asan
scripts/package.sh >/dev/null  # the resource tests read the program out of the download
# The entries run side by side, one for each core (at least two: most of an end-to-end entry's
# time is spent waiting for Wine), the longest first; TINTORA_TEST_JOBS sets another number.
# Arguments go to CTest: scripts/test.sh -R e2e.copy_e2e runs that entry alone.
jobs=${TINTORA_TEST_JOBS:-$(nproc)}
((jobs >= 2)) || jobs=2
ctest --test-dir build/host --output-on-failure -j "$jobs" "$@"
