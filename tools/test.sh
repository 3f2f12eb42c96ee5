#!/usr/bin/env bash
# Sets up the machine, builds everything, checks the shipped 32-bit binaries and runs every test
# under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
export SKIRMORA_BUILD=${SKIRMORA_BUILD:-$root/build}
# The shipped 32-bit binaries, read without running them: exports, imports, type library.
python3 "$root/tools/check-win32-binaries.py"
"$root/tools/wine-session.sh" start
trap '"$root/tools/wine-session.sh" stop' EXIT
. "$root/tools/wine-env.sh"
cd "$SKIRMORA_BUILD/x64"
# The 30-minute soak run only when asked for (bash tools/test.sh -L soak); its smoke variant always.
if [[ " $* " != *" -L "* ]]; then set -- -LE soak "$@"; fi
ctest --output-on-failure -j "${CTEST_JOBS:-4}" "$@"
