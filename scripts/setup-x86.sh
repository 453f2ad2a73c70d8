#!/usr/bin/env bash
# Makes this machine able to run the shipped 32-bit program under Wine, for the tests and
# scripts/run.sh, while changing nothing installed on it:
# - qemu's user-mode emulator for i386 programs, unpacked from Debian's backports into
#   build/x86 (the machine's own qemu, if any, cannot run Wine) and registered with the kernel;
# - Debian's 32-bit Wine of the same version as the installed wine64, with the 32-bit libraries
#   it needs, unpacked into build/x86/root. scripts/with-wine.sh lays its /usr/lib over the
#   machine's in a mount namespace of its own, where the two Wines then form one WoW64 Wine.
# Everything is fetched with apt from Debian's archive into build/x86 and kept there.
# Usage: scripts/setup-x86.sh          sets up what is missing; exits 1 saying why it cannot
#        scripts/setup-x86.sh --check  only says whether 32-bit runs are possible (exit 0/1)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
x86="$top/build/x86"
qemu="$x86/qemu-i386"
binfmt=/proc/sys/fs/binfmt_misc
entry_name=tintora-i386
# An older qemu ignores MAP_FIXED_NOREPLACE, so Wine's reservation of its address space takes
# a minute and its windows never show; the one in Debian 12's backports works.
min_qemu_major=10
# i386 ELF programs, as qemu's own binfmt files describe them.
elf_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
elf_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
# The X extensions the 64-bit Wine finds on these machines, so both Wines see the same display.
x_libraries=(libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1)

fail() {
  echo "$*"
  exit 1
}

wine_version() { dpkg-query -W -f='${Version}' wine64 2>/dev/null; }

qemu_major() {
  local line
  line=$("$1" --version 2>/dev/null | head -n1) || return 1
  [[ $line =~ version\ ([0-9]+)\. ]] && echo "${BASH_REMATCH[1]}"
}

# The enabled i386 entry's interpreter, when it is a qemu that can run Wine.
registered_qemu() {
  local file="$binfmt/$entry_name" interpreter major
  [[ -f $file ]] && grep -qx enabled "$file" || return 1
  interpreter=$(sed -n 's/^interpreter //p' "$file")
  major=$(qemu_major "$interpreter") || return 1
  ((major >= min_qemu_major)) && echo "$interpreter"
}

check() {
  [[ $(uname -m) == x86_64 ]] || fail "32-bit runs need an x86_64 machine"
  [[ -e $binfmt/register ]] || fail "binfmt_misc is not mounted"
  registered_qemu >/dev/null || fail "no qemu-i386 of version $min_qemu_major or later is registered for i386 programs"
  [[ -n $(wine_version) && $(cat "$x86/root/.wine-version" 2>/dev/null) == "$(wine_version)" ]] ||
    fail "no 32-bit Wine matching wine64 $(wine_version) in build/x86 (scripts/setup-x86.sh)"
  [[ -f $x86/root/.runs ]] || fail "the 32-bit Wine in build/x86 did not start here (scripts/setup-x86.sh)"
}

if [[ ${1:-} == --check ]]; then
  check
  exit 0
fi

# apt working on a state of its own under build/x86: the machine's sources, lists, pins and
# installed set stay as they are, and every package is fetched whole, whatever is installed.
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
apt_dir="$x86/apt"
private_apt() {
  apt-get -q -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/none" \
    -o Dir::Etc::Preferences="$apt_dir/none/preferences" -o Dir::Etc::PreferencesParts="$apt_dir/none" \
    -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o Dir::State::status="$apt_dir/status" \
    -o APT::Architecture=i386 -o APT::Architectures::=i386 -o APT::Architectures::=amd64 \
    -o APT::Install-Recommends=0 -o Debug::NoLocking=1 -o APT::Sandbox::User=root "$@"
}
prepare_apt() {
  [[ -n $codename ]] || fail "cannot tell which Debian release this is"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/none"
  : >"$apt_dir/status"
  local keys=/usr/share/keyrings/debian-archive-keyring.gpg
  {
    echo "deb [signed-by=$keys] http://deb.debian.org/debian $codename $codename-updates $codename-backports main" |
      awk '{ for (i = 4; i < NF; ++i) print $1, $2, $3, $i, $NF }'
    echo "deb [signed-by=$keys] http://deb.debian.org/debian-security $codename-security main"
  } >"$apt_dir/sources.list"
  private_apt update >/dev/null || fail "apt cannot reach Debian's archive"
}
apt_ready=""
need_apt() { [[ -n $apt_ready ]] || { prepare_apt; apt_ready=1; }; }

setup_qemu() {
  local major
  major=$(qemu_major "$qemu") && ((major >= min_qemu_major)) && return 0
  need_apt
  echo "setup-x86: unpacking qemu-i386 from $codename-backports"
  local work
  work=$(mktemp -d "$x86/qemu.XXXXXX")
  (cd "$work" && private_apt download "qemu-user:amd64/$codename-backports" >/dev/null) ||
    fail "no qemu-user in $codename-backports"
  dpkg-deb --fsys-tarfile "$work"/qemu-user_*.deb | tar -x -C "$work" ./usr/bin/qemu-i386
  mv -f "$work/usr/bin/qemu-i386" "$qemu"
  rm -rf "$work"
  major=$(qemu_major "$qemu") && ((major >= min_qemu_major)) || fail "the qemu-i386 of $codename-backports is too old"
}

register_qemu() {
  if [[ ! -e $binfmt/register ]]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || fail "binfmt_misc cannot be mounted here"
  fi
  registered_qemu >/dev/null && return 0
  [[ -f $binfmt/$entry_name ]] && echo -1 >"$binfmt/$entry_name"
  # F: the kernel opens the emulator now, so it also serves programs in other mount namespaces.
  echo ":$entry_name:M::$elf_magic:$elf_mask:$qemu:F" >"$binfmt/register" ||
    fail "the kernel refused the i386 entry for binfmt_misc"
}

setup_wine() {
  local version
  version=$(wine_version)
  [[ -n $version ]] || fail "wine64 is not installed (scripts/setup.sh)"
  [[ $(cat "$x86/root/.wine-version" 2>/dev/null) == "$version" ]] && return 0
  need_apt
  echo "setup-x86: unpacking Debian's 32-bit Wine $version into build/x86/root"
  rm -rf "$apt_dir/cache/archives"/*.deb
  private_apt install -y --download-only "wine32=$version" "libwine=$version" "${x_libraries[@]}" >/dev/null ||
    fail "apt cannot fetch wine32 $version"
  local new="$x86/root.new"
  rm -rf "$new"
  mkdir -p "$new"
  for deb in "$apt_dir/cache/archives"/*.deb; do dpkg-deb -x "$deb" "$new"; done
  rm -rf "$apt_dir/cache/archives"/*.deb "$new"/usr/share/{doc,man,locale}
  # Laid over a merged /usr, where /lib is /usr/lib.
  cp -a "$new/lib/." "$new/usr/lib/"
  rm -rf "$new/lib"
  # Debian packs the 32-bit zlib1.dll with the 64-bit library and the 64-bit one with this.
  cp /usr/lib/x86_64-linux-gnu/wine/i386-windows/zlib1.dll "$new/usr/lib/i386-linux-gnu/wine/i386-windows/"
  echo "$version" >"$new/.wine-version"
  rm -rf "$x86/root"
  mv -T "$new" "$x86/root"
}

[[ $(id -u) -eq 0 ]] || fail "32-bit runs need root (binfmt_misc and a mount namespace)"
[[ $(uname -m) == x86_64 ]] || fail "32-bit runs need an x86_64 machine"
mkdir -p "$x86"
exec 9>"$x86/.lock"
flock 9
setup_qemu
register_qemu
setup_wine
# The loader runs only where the 32-bit root is laid over /usr/lib, as the runs lay it.
rm -f "$x86/root/.runs"
unshare -m --propagation private sh -c \
  'mount -t overlay overlay -o lowerdir="$1/usr/lib:/usr/lib" /usr/lib && /usr/lib/wine/wine --version' \
  x86 "$x86/root" >/dev/null 2>&1 || fail "the 32-bit Wine does not start here"
touch "$x86/root/.runs"
check
