#!/usr/bin/env bash
# Configures and builds both architectures at once into $SKIRMORA_BUILD (default: build/):
#   win32/  the shipped 32-bit Skirmex.exe and Tetherline.dll, and the test programs the 32-bit
#           stage runs against them (the win32_stage target; SKIRMORA_WIN32_TESTS=ON builds every
#           test program for 32-bit Windows)
#   x64/    the same sources for 64-bit Windows: the build the 64-bit tests run on
#   x64-images/  the 64-bit client configured with -DSKIRMEX_IMAGE_FOLDER=ON and the one test
#           that starts it (tools/image-folder-stage.sh runs it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SKIRMORA_BUILD:-$root/build}
jobs=${SKIRMORA_JOBS:-$(nproc)}

# Through the compiler cache, with paths taken relative to the tree: the image-folder build differs
# from the 64-bit one in one source file, so after the 64-bit build it compiles little else.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
fi
configure() {
  local arch=$1 tc=$2
  shift 2
  if [ ! -f "$build/$arch/build.ninja" ] || ! grep -q '^BUILD_TESTING:BOOL=ON' "$build/$arch/CMakeCache.txt"; then
    cmake -S "$root" -B "$build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$tc" -DBUILD_TESTING=ON "$@" >/dev/null
  fi
}
configure x64 "$root/cmake/mingw-x86_64.cmake"
configure win32 "$root/cmake/mingw-i686.cmake"
configure x64-images "$root/cmake/mingw-x86_64.cmake" -DSKIRMEX_IMAGE_FOLDER=ON
win32_target=win32_stage
[ "${SKIRMORA_WIN32_TESTS:-OFF}" = ON ] && win32_target=all

# The image-folder build after the 64-bit one, whose objects it then takes from the cache.
(cmake --build "$build/x64" -j "$jobs" &&
   { cmake --build "$build/x64-images" -j "$jobs" --target shipped_client_tests >"$build/x64-images.log" 2>&1 ||
     { tail -n 30 "$build/x64-images.log"; false; }; }) &
x64=$!
cmake --build "$build/win32" -j "$jobs" --target "$win32_target" &
win32=$!
status=0
wait $x64 || status=$?
wait $win32 || status=$?
exit $status
