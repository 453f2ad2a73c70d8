#!/usr/bin/env bash
# Packs the download from two copies of this source tree, in folders whose paths differ in
# length and depth, and checks that both give the same program and the same zip, byte for byte.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d /tmp/tintora-package.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Neither copy is a checkout, so both stamp the zip's entries with the same fixed time. A given
# SOURCE_DATE_EPOCH would also reach the linker, which then writes it into the program's header
# and would hide a build that stamps the time of day there.
unset SOURCE_DATE_EPOCH

copies=("$work/a" "$work/second/copy/at/a/deeper/place")
for copy in "${copies[@]}"; do
  mkdir -p "$copy"
  tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy" -xf -
  "$copy/scripts/package.sh" >/dev/null
done

status=0
cd "${copies[0]}"
for file in build/win32/tintora.exe dist/*; do
  if cmp -s "$file" "${copies[1]}/$file"; then
    sha256sum "$file"
  else
    echo "differs between the two folders: $file" >&2
    status=1
  fi
done
exit "$status"
