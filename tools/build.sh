#!/usr/bin/env bash
# Configures and builds everything into $SKIRMORA_BUILD (default: build/):
#   win32/  the shipped 32-bit Skirmex.exe and Tetherline.dll
#   x64/    the same sources for 64-bit Windows: the build the tests run on under Wine here
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SKIRMORA_BUILD:-$root/build}
for arch in x64 win32; do
  case $arch in
    x64) tc=$root/cmake/mingw-x86_64.cmake; testing=ON ;;
    # The shipped binaries; their tests are the x64 ones (set SKIRMORA_WIN32_TESTS=ON to compile
    # the test programs for 32-bit Windows too).
    win32) tc=$root/cmake/mingw-i686.cmake; testing=${SKIRMORA_WIN32_TESTS:-OFF} ;;
  esac
  if [ ! -f "$build/$arch/build.ninja" ]; then
    cmake -S "$root" -B "$build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$tc" -DBUILD_TESTING=$testing >/dev/null
  fi
  cmake --build "$build/$arch" -j "$(nproc)"
done
