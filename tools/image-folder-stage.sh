#!/usr/bin/env bash
# image-folder-stage.sh [ctest arguments]   (after tools/build.sh)
# The development configuration: the 64-bit client configured with -DSKIRMEX_IMAGE_FOLDER=ON,
# which reads its atlases and sounds from the "images" and "sounds" folders that the resource
# generator writes beside it. Only that client and the one test that starts it are built, in
# $SKIRMORA_BUILD/x64-images (tools/build.sh builds them beside the other builds); the test (shipped_client_tests) logs in to the scripted server's
# demo and checks in a capture of the display that the map is drawn from the terrain atlas of
# inverted colours it put in the client's images folder. It uses the running Wine
# session of the 64-bit tests, or starts one of its own and stops it again.
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$tools/.." && pwd)
export SKIRMORA_BUILD=$(mkdir -p "${SKIRMORA_BUILD:-$src/build}" && cd "${SKIRMORA_BUILD:-$src/build}" && pwd)
tree=$SKIRMORA_BUILD/x64-images
started=$(date +%s)

if [ ! -f "$tree/build.ninja" ]; then
  cmake -S "$src" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" -DBUILD_TESTING=ON \
        -DSKIRMEX_IMAGE_FOLDER=ON >/dev/null
fi
cmake --build "$tree" -j "${SKIRMORA_JOBS:-$(nproc)}" --target shipped_client_tests >"$tree/stage-build.log" 2>&1 ||
  { tail -n 30 "$tree/stage-build.log"; echo "image-folder stage: build failed"; exit 1; }

if [ "$("$tools/wine-session.sh" status)" = stopped ]; then
  "$tools/wine-session.sh" start >/dev/null
  trap '"$tools/wine-session.sh" stop' EXIT
fi
. "$tools/wine-env.sh"
cd "$tree"
status=0
ctest --output-on-failure --no-tests=error -R '^shipped_client_tests$' "$@" || status=$?
echo "image-folder stage: $(($(date +%s) - started)) s in all (its build included)"
exit $status
