#!/usr/bin/env bash
# Builds the shipped 32-bit program and packs the download: dist/tintora-VERSION-win32.zip,
# holding the program, the users' readme and the licence, and beside it the zip's .sha256.
# Two builds of the same sources give the same bytes. The program holds no time and no build
# folder (see CMakeLists.txt). The zip's entries come in a fixed order, with fixed attributes,
# and all carry one time: SOURCE_DATE_EPOCH when it is set, else the time of the checked-out
# commit.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win32 >/dev/null

version=$(sed -n 's/^project(tintora VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
name="tintora-$version-win32"
zip_epoch=315532800  # 1980-01-01, the first time a zip entry can carry
stamp=${SOURCE_DATE_EPOCH:-}
if [[ -z "$stamp" && -e .git ]]; then stamp=$(git log -1 --format=%ct); fi
stamp=${stamp:-$zip_epoch}

mkdir -p dist
python3 - "dist/$name.zip.part" "$stamp" "$zip_epoch" \
  LICENSE=LICENSE README.txt=docs/README.txt tintora.exe=build/win32/tintora.exe <<'PYTHON'
import sys, time, zipfile

out, stamp, zip_epoch, *entries = sys.argv[1:]
files = sorted(entry.split("=", 1) for entry in entries)
# A zip keeps local time without a zone: the stamp is written as UTC.
when = time.gmtime(max(int(stamp), int(zip_epoch)))[:6]
with zipfile.ZipFile(out, "w") as archive:
    for name, path in files:
        with open(path, "rb") as source:
            data = source.read()
        if not name.endswith(".exe"):
            # Text: every line ends in CR LF, as Windows editors expect.
            data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        info = zipfile.ZipInfo(name, when)
        info.create_system = 0  # made on Windows: no Unix owner or permission bits
        info.external_attr = 0
        info.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(info, data, compresslevel=9)
PYTHON
mv -f "dist/$name.zip.part" "dist/$name.zip"
(cd dist && sha256sum "$name.zip" >"$name.zip.sha256")
echo "dist/$name.zip"
