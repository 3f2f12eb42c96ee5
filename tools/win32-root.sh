#!/usr/bin/env bash
# win32-root.sh prepare|register|check|path
# The 32-bit environment the shipped binaries run in. This machine's kernel runs no 32-bit
# program, so a user-mode emulator (a static qemu-i386, registered with binfmt_misc) runs the
# 32-bit Wine of an i386 Debian root. Both are kept in a machine-wide cache folder outside the
# checkout ($SKIRMORA_WIN32_CACHE, default /var/cache/skirmora-win32), made once and re-used:
#   prepare   fetch the emulator and make the root where either is missing or incomplete, then
#             register the emulator
#   register  register the emulator with binfmt_misc (needs root)
#   check     exit 0 when the emulator and the root are complete
#   path      print the root's folder
# Each part is complete once its stamp, written last, names the recipe it was made from; a part
# without it (a run cut short, an older recipe) is made again from the start.
set -euo pipefail
cache=${SKIRMORA_WIN32_CACHE:-/var/cache/skirmora-win32}
root=$cache/root
emulator=$cache/qemu/qemu-i386
handler=skirmora-i386
binfmt=/proc/sys/fs/binfmt_misc
mirror=http://deb.debian.org
keyring=/usr/share/keyrings/debian-archive-keyring.gpg

# Debian 12's emulator is too slow for Wine's start-up and crashes its services; Debian 13's
# package holds a static one.
emulator_suite=trixie
# 32-bit Wine and what it loads at run time: X libraries, Mesa's OpenGL (Direct3D), fonts.
packages=(wine wine32 libgl1 libglx-mesa0 libgl1-mesa-dri
          libxrender1 libxext6 libxi6 libxrandr2 libxcursor1 libxinerama1 libxcomposite1 libxfixes3
          libfreetype6 libfontconfig1 libgnutls30 libasound2 fonts-wine fonts-liberation)
# Changing the steps below means a new recipe number: cached roots are then made again.
recipe="2 bookworm i386: ${packages[*]}"

say() { echo "win32-root: $*" >&2; }

# apt on the host with a sources list and state of its own (nothing is installed on the host):
# apt_for <state folder> <arch> [<suite>...] -- <apt-get arguments>; the suites, when given,
# become the sources list.
apt_for() {
  local state=$1 arch=$2; shift 2
  local suites=() s
  while [ "$1" != -- ]; do suites+=("$1"); shift; done; shift
  mkdir -p "$state/lists/partial" "$state/archives/partial"
  if [ ${#suites[@]} -gt 0 ]; then
    : > "$state/sources.list"
    for s in "${suites[@]}"; do
      local base=$mirror/debian
      [[ $s == *-security ]] && base=$mirror/debian-security
      echo "deb [signed-by=$keyring] $base $s main" >> "$state/sources.list"
    done
  fi
  [ -f "$state/status" ] || : > "$state/status"
  apt-get -q -o Dir::Etc::SourceList="$state/sources.list" -o Dir::Etc::SourceParts=/dev/null \
    -o Dir::State::Lists="$state/lists" -o Dir::State::Status="$state/status" \
    -o Dir::Cache="$state/cache" -o Dir::Cache::Archives="$state/archives" \
    -o APT::Architecture="$arch" -o APT::Architectures::="$arch" \
    -o Debug::NoLocking=1 -o APT::Sandbox::User=root "$@"
}

# The package indexes, tried again while a mirror is mid-sync. An index that still fails (a
# mirror serving a stale security index) is left out with a warning, as long as the release's
# own one (the first suite's) arrived.
apt_update() {
  local state=$1 arch=$2 suite=$3 try
  mkdir -p "$state"
  for try in 1 2; do
    apt_for "$state" "${@:2}" -- update >"$state/update.log" 2>&1 && return 0
    sleep 3
  done
  if compgen -G "$state/lists/*_dists_${suite}_main_binary-${arch}_Packages*" >/dev/null; then
    say "warning: some package indexes failed, going on without them:"
    grep '^E: Failed' "$state/update.log" >&2 || true
    return 0
  fi
  say "apt update failed, see $state/update.log"
  return 1
}

stamp_ok() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }

make_emulator() {
  local state=$cache/apt-$emulator_suite
  say "fetching qemu-i386 from Debian $emulator_suite's qemu-user"
  apt_update "$state" amd64 "$emulator_suite" "$emulator_suite-security"
  rm -rf "$cache/qemu" "$state/unpacked" && mkdir -p "$cache/qemu"
  (cd "$state/archives" && rm -f qemu-user_*.deb && apt_for "$state" amd64 -- download qemu-user >/dev/null)
  dpkg-deb -x "$state"/archives/qemu-user_*.deb "$state/unpacked"
  cp "$state/unpacked/usr/bin/qemu-i386" "$emulator"
  rm -rf "$state/unpacked"
  "$emulator" --version | head -n1 > "$cache/qemu/stamp"
  # A handler still holding an earlier emulator is registered again.
  if [ -f "$binfmt/$handler" ]; then echo -1 > "$binfmt/$handler"; fi
}

# The packages apt would install on an empty i386 system, unpacked over a merged /usr. No
# package script runs: what they would do that Wine needs is done here.
make_root() {
  local state=$cache/apt-i386 new=$cache/root.new deb
  say "making the i386 root in $root"
  apt_update "$state" i386 bookworm bookworm-updates bookworm-security
  apt_for "$state" i386 -- install -y --no-install-recommends --download-only "${packages[@]}" \
    >"$state/install.log" 2>&1 || { say "downloading the packages failed, see $state/install.log"; return 1; }
  rm -rf "$new" "$root"
  mkdir -p "$new/usr/bin" "$new/usr/sbin" "$new/usr/lib" "$new/etc" "$new/tmp" "$new/proc" \
           "$new/sys" "$new/dev"
  ln -s usr/bin "$new/bin"; ln -s usr/sbin "$new/sbin"; ln -s usr/lib "$new/lib"
  # The exact files apt chose: "Inst name (version ...)" lines of a dry run.
  apt_for "$state" i386 -- install -s -y --no-install-recommends "${packages[@]}" 2>/dev/null |
    awk '$1 == "Inst" { v = $3; sub(/^\(/, "", v); print $2 " " v }' |
    while read -r name version; do
      deb=$(ls "$state/archives/${name}_${version/:/%3a}_"*.deb)
      dpkg-deb --fsys-tarfile "$deb" | tar -x --keep-directory-symlink -C "$new"
    done
  # As libwine's package script does: the mingw zlib beside Wine's DLLs, marked as one of them.
  local zlib=$new/usr/i686-w64-mingw32/lib/zlib1.dll
  { head -c 64 "$zlib"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$zlib"; } \
    > "$new/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"
  # Where tools/win32-stage.sh binds the host's name service files and locales.
  touch "$new/etc/hosts" "$new/etc/resolv.conf" "$new/etc/nsswitch.conf" "$new/etc/services" "$new/etc/protocols"
  mkdir -p "$new/usr/lib/locale"
  # The library cache (the host's ldconfig reads 32-bit libraries too), a user for Wine, and a
  # silent sound device.
  ldconfig -r "$new"
  echo 'root:x:0:0:root:/root:/bin/sh' > "$new/etc/passwd"
  echo 'root:x:0:' > "$new/etc/group"
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$new/etc/asound.conf"
  [ -x "$new/usr/lib/wine/wine" ] || { say "the root has no 32-bit Wine"; return 1; }
  echo "$recipe" > "$new/.stamp"
  mv "$new" "$root"
}

register() {
  if [ "$(id -u)" -ne 0 ]; then say "registering the emulator needs root"; return 1; fi
  if [ ! -f "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || {
      say "binfmt_misc cannot be mounted on this machine"; return 1; }
  fi
  if [ -f "$binfmt/$handler" ] && grep -qx "interpreter $emulator" "$binfmt/$handler" &&
     grep -qx enabled "$binfmt/$handler"; then
    return 0
  fi
  [ -f "$binfmt/$handler" ] && echo -1 > "$binfmt/$handler"
  # i386 ELF executables; F: the emulator is opened now, so it runs inside the root too.
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":$handler:M::$magic:$mask:$emulator:F" > "$binfmt/register" || {
    say "binfmt_misc refused the emulator's handler"; return 1; }
}

emulator_ok() { [ -x "$emulator" ] && [ -s "$cache/qemu/stamp" ] &&
                stamp_ok "$cache/qemu/stamp" "$("$emulator" --version 2>/dev/null | head -n1)"; }
root_ok() { stamp_ok "$root/.stamp" "$recipe" && [ -x "$root/usr/lib/wine/wine" ] &&
            [ -x "$root/usr/lib/wine/wineserver32" ] && [ -f "$root/usr/lib/i386-linux-gnu/wine/i386-unix/ntdll.so" ]; }

prepare() {
  mkdir -p "$cache"
  exec 9> "$cache/lock"
  flock 9
  emulator_ok || make_emulator
  root_ok || make_root
  register
  say "ready: $("$emulator" --version | head -n1), root $root"
}

case "${1:-}" in
  prepare) prepare ;;
  register) register ;;
  check) emulator_ok && root_ok ;;
  path) echo "$root" ;;
  *) echo "usage: $0 prepare|register|check|path" >&2; exit 2 ;;
esac
