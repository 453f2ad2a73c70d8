#!/usr/bin/env bash
# Runs one command inside a private X display and a private Wine prefix, then ends both.
# Usage: scripts/with-wine.sh COMMAND [ARGS...]
# With TINTORA_DPI set (for example 144 for 150 %), the run's prefix has that display scale.
# With TINTORA_ARCH=x86 the run can start the shipped 32-bit program too: the 32-bit Wine that
# scripts/setup-x86.sh unpacked under build/x86 is laid over /usr/lib in a mount namespace of
# the run's own, and the prefix is a WoW64 one. Where this machine cannot run 32-bit programs
# the run does nothing, says why, and ends with status 77 (a skip to CTest).
# With TINTORA_SHOW=1 and a DISPLAY, the run shows on that display instead of a private one.
# Inside, DISPLAY and WINEPREFIX are set and WINE64 names the Wine loader. A ready prefix is
# prepared once and kept under build/; each run works on its own copy of it, so runs never
# share a wineserver and may go on side by side.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINE64=/usr/lib/wine/wine64
# Wine's own error reports stay on: a program that Wine ends before it can say anything (seen
# once: a test program ending with status 1 and no output) leaves them as its only trace.
export WINEDEBUG=${WINEDEBUG:--all,err+all}
export LC_ALL=C.UTF-8
template="$root/build/wineprefix"
skipped=77

if [[ ${TINTORA_ARCH:-} == x86 ]]; then
  if [[ -z ${TINTORA_X86_NAMESPACE:-} ]]; then
    reason=$("$root/scripts/setup-x86.sh" --check) || { echo "SKIP: 32-bit runs: $reason"; exit "$skipped"; }
    TINTORA_X86_NAMESPACE=1 exec unshare -m --propagation private "${BASH_SOURCE[0]}" "$@"
  fi
  mount -t overlay overlay -o lowerdir="$root/build/x86/root/usr/lib:/usr/lib" /usr/lib
  template="$root/build/wineprefix-x86"
fi

work=$(mktemp -d /tmp/tintora-wine.XXXXXX)
xvfb_pid=""

# This Wine keeps its server's socket under a folder of /tmp whose name the prefix records in
# its file "wineserver", made when the first program starts. Every copy of a prefix would share
# the one folder, and a new copy, which may get the inode of a removed one, the server folder
# left behind by it: each run drops the name to get a folder of its own, and removes it.
forget_server_folder() {
  local name
  name=$(cat "$1/wineserver" 2>/dev/null) || return 0
  if [[ $name =~ ^wine-[A-Za-z0-9]+$ && -d "/tmp/$name" ]]; then rm -rf "/tmp/$name"; fi
  rm -f "$1/wineserver"
}

cleanup() {
  local rc=$?
  if [[ -d "$work/prefix" ]]; then
    WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$work/prefix" timeout 10 /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
    forget_server_folder "$work/prefix"
  fi
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
  exit "$rc"
}
trap cleanup EXIT INT TERM

start_display() {
  [[ -n ${TINTORA_SHOW:-} && -n ${DISPLAY:-} ]] && return
  exec {fd}>"$work/display"
  Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  exec {fd}>&-
  for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.05
  done
  [[ -s "$work/display" ]] || { echo "with-wine: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
}

# The prefix is made once: a fresh wineboot, the fonts Wine needs for true dialog metrics, and
# no window manager emulation (without it, hiding a window waits two seconds).
prepare_template() {
  local new="$template.new.$$"
  rm -rf "$new"
  WINEPREFIX="$new" "$WINE64" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$new" "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  WINEPREFIX="$new" /usr/lib/wine/wineserver -w
  forget_server_folder "$new"
  mkdir -p "$new/drive_c/windows/Fonts"
  cp -f /usr/share/wine/fonts/* "$new/drive_c/windows/Fonts/"
  touch "$new/.ready"
  rm -rf "$template"
  mv -T "$new" "$template"
}

start_display
# A prefix without the mark was left half made (by a run that was cut short): made again.
if [[ ! -f "$template/.ready" ]]; then
  mkdir -p "$root/build"
  (
    flock 9
    [[ -f "$template/.ready" ]] || prepare_template
  ) 9>"$template.lock"
fi
cp -a "$template" "$work/prefix"
rm -f "$work/prefix/wineserver"  # left by a template made before the runs kept their own
export WINEPREFIX="$work/prefix"
# The scale is read when a program starts, so it is set before anything runs in the prefix.
if [[ -n "${TINTORA_DPI:-}" ]]; then
  "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$TINTORA_DPI" /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi

set +e
if [[ "${1:-}" == *.exe ]]; then set -- "$WINE64" "$@"; fi
# Now and then Wine's loader finds the fixed place of its shared user data taken and ends with
# status 1 before the program runs ("failed to map the shared user data", seen once in a full
# run): such a start, and only such a start, is made again, twice at the most.
for attempt in 1 2 3; do
  started=$SECONDS
  { "$@" 2>&1 1>&3 3>&- | tee "$work/stderr" >&2; } 3>&1  # a copy of the error output only
  status=${PIPESTATUS[0]}
  grep -q "failed to map the shared user data" "$work/stderr" || break
  echo "with-wine: Wine could not start $* (attempt $attempt); starting it again" >&2
done
set -e
# A program that dies leaves no output of its own when it wrote to a pipe: say how it ended.
if ((status != 0)); then echo "with-wine: $* ended with status $status after $((SECONDS - started)) s" >&2; fi
exit "$status"
