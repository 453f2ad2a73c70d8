#!/usr/bin/env bash
# Runs the tests again and again, to show they pass every time and not only by chance.
# Usage:
#   scripts/repeat-tests.sh e2e N [CTEST ARGS...]  the Windows-side tests (e2e.* and e2e32.*) N
#                                                   times, each time on newly made Wine prefixes,
#                                                   as CI meets them
#   scripts/repeat-tests.sh ci N                    .ci/run N times, each from a fresh clone of
#                                                   HEAD in a folder of its own
# Stops at the first red run and keeps its log; prints one line per run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-}
runs=${2:-}
[[ ( $mode == e2e || $mode == ci ) && $runs =~ ^[0-9]+$ ]] || {
  sed -n '2,9p' "${BASH_SOURCE[0]}" >&2
  exit 2
}
shift 2
logs=$(mktemp -d /tmp/tintora-repeat.XXXXXX)

for ((run = 1; run <= runs; ++run)); do
  log="$logs/run-$run.log"
  start=$SECONDS
  if [[ $mode == e2e ]]; then
    rm -rf "$root/build/wineprefix" "$root/build/wineprefix-x86"
    set +e
    # Side by side, as the test command runs them.
    jobs=${TINTORA_TEST_JOBS:-$(nproc)}
    ctest --test-dir "$root/build/host" -R '^e2e(32)?\.' --output-on-failure -j "$((jobs < 2 ? 2 : jobs))" "$@" >"$log" 2>&1
    status=$?
    set -e
  else
    clone="$logs/clone-$run"
    git clone -q "$root" "$clone"
    git -C "$clone" checkout -q "$(git -C "$root" rev-parse HEAD)"
    set +e
    "$clone/.ci/run" >"$log" 2>&1
    status=$?
    set -e
    rm -rf "$clone"
  fi
  summary=$(grep -E 'tests passed|tests failed' "$log" | tail -n1)
  echo "run $run of $runs: ${summary:-no test summary} ($((SECONDS - start)) s)"
  if ((status != 0)); then
    echo "run $run failed (exit $status); its log: $log"
    exit 1
  fi
done
echo "all $runs runs green"
rm -rf "$logs"
