#!/usr/bin/env bash
# win32-stage.sh [ctest arguments]   (as root, after tools/build.sh)
# The 32-bit stage: the shipped binaries (build/win32/bin) and the test programs built beside
# them for 32-bit Windows, run under 32-bit Wine from the emulated i386 root that
# tools/win32-root.sh prepares. The stage runs in a mount namespace of its own, in which the
# root sees this machine's /proc, /sys, /dev, X sockets, name service files and locales, and
# this checkout at its own path; its Wine session (Xvfb, prefix, wineserver, peer daemon) is its
# own too (build/wine32), so it can run beside the 64-bit tests.
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$tools/.." && pwd)
build=$(mkdir -p "${SKIRMORA_BUILD:-$src/build}" && cd "${SKIRMORA_BUILD:-$src/build}" && pwd)
root=$("$tools/win32-root.sh" path)

fail() { echo "32-bit stage: $*" >&2; exit 1; }

if [ -z "${SKIRMORA_WIN32_NAMESPACE:-}" ]; then
  [ "$(id -u)" -eq 0 ] || fail "needs root to register the emulator and lay out its root (SKIRMORA_SKIP_WIN32_RUN=1 skips it)"
  [ -f "$build/win32/win32-stage.txt" ] || fail "no 32-bit test build in $build/win32: run tools/build.sh"
  # The stage's programs (tests/win32/CMakeLists.txt names them). A caller's -R picks among
  # them: the stage runs the tests both select (CTest itself would keep only the last -R), and
  # fails when they have none in common, as it does when nothing is selected at all.
  names() { (cd "$build/win32" && ctest -N -R "$1") | sed -n 's/^ *Test *#[0-9]*: //p' | sort; }
  select=$(cat "$build/win32/win32-stage.txt") args=() pick=""
  while [ $# -gt 0 ]; do
    case "$1" in
      -R|--tests-regex) pick=$2; shift 2 ;;
      *) args+=("$1"); shift ;;
    esac
  done
  if [ -n "$pick" ]; then
    both=$(comm -12 <(names "$select") <(names "$pick") | paste -sd'|')
    [ -n "$both" ] || fail "-R $pick selects none of the stage's tests ($select)"
    select="^($both)\$"
  fi
  # Made here when missing; when tools/test.sh is making them already, this waits for it.
  if ! "$tools/win32-root.sh" prepare >"$build/win32-prepare.log" 2>&1; then
    fail "$(tail -n1 "$build/win32-prepare.log" | sed 's/^win32-root: //') (SKIRMORA_SKIP_WIN32_RUN=1 skips it)"
  fi
  exec env SKIRMORA_WIN32_NAMESPACE=1 SKIRMORA_WIN32_START="$(date +%s)" SKIRMORA_WIN32_SELECT="$select" \
    unshare --mount --propagation private bash "$0" "${args[@]}"
fi

# In the namespace: what the root sees of this machine. Its /tmp is a folder of this stage
# alone, holding the X sockets; a folder outside the root is bound at its own path.
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
mount -t tmpfs tmpfs "$root/tmp"
mkdir -p "$root/tmp/.X11-unix" /tmp/.X11-unix
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
for f in /etc/hosts /etc/resolv.conf /etc/nsswitch.conf /etc/services /etc/protocols /usr/lib/locale; do
  if [ -e "$f" ] && [ -e "$root$f" ]; then mount --bind "$f" "$root$f"; fi
done
for d in "$src" "$build"; do
  [ "$d" = "$build" ] && [[ $build == "$src"/* ]] && continue
  mkdir -p "$root$d"
  mount --bind "$d" "$root$d"
done

export SKIRMORA_WIN32_ROOT=$root SKIRMORA_BUILD=$build
"$tools/wine-session.sh" start >/dev/null
trap '"$tools/wine-session.sh" stop' EXIT
. "$tools/wine-env.sh"
cd "$build/win32"
status=0
ctest --output-on-failure --no-tests=error -j "${SKIRMORA_WIN32_JOBS:-2}" -R "$SKIRMORA_WIN32_SELECT" "$@" || status=$?
echo "32-bit stage: $(($(date +%s) - SKIRMORA_WIN32_START)) s in all (its Wine session's start included)"
exit $status
