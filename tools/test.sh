#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
export SKIRMORA_BUILD=${SKIRMORA_BUILD:-$root/build}
"$root/tools/wine-session.sh" start
trap '"$root/tools/wine-session.sh" stop' EXIT
. "$root/tools/wine-env.sh"
cd "$SKIRMORA_BUILD/x64"
ctest --output-on-failure -j "${CTEST_JOBS:-4}" "$@"
