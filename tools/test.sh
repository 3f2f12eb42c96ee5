#!/usr/bin/env bash
# Sets up the machine, builds both architectures, checks the shipped 32-bit binaries and runs
# every test under Wine: the 64-bit tests (ctest arguments go to them), and beside them the
# 32-bit stage, which runs the shipped binaries under emulation (tools/win32-stage.sh; its output
# is shown after the 64-bit tests'), and on a whole run (no -R) the image-folder stage. The run's
# last line tells each stage's outcome, naming each that did not run and why (SKIRMORA_SKIP_WIN32_RUN=1
# skips the 32-bit stage, saying so at the start too). A selection that names no test fails, as a
# typo would.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export SKIRMORA_BUILD=${SKIRMORA_BUILD:-$root/build}
# The 32-bit stage's emulator and root are made (or checked) while the build runs.
"$root/tools/setup.sh" --win32-background "$SKIRMORA_BUILD/win32-root.log"
skip32=${SKIRMORA_SKIP_WIN32_RUN:-0}
"$root/tools/build.sh"
# The shipped 32-bit binaries, read without running them: exports, imports, type library.
python3 "$root/tools/check-win32-binaries.py"

stage32=""
if [ "$skip32" = 1 ]; then
  echo "32-bit stage skipped: SKIRMORA_SKIP_WIN32_RUN=1"
else
  echo "32-bit stage started beside the 64-bit tests (output: $SKIRMORA_BUILD/win32-stage.log)"
  "$root/tools/win32-stage.sh" >"$SKIRMORA_BUILD/win32-stage.log" 2>&1 </dev/null &
  stage32=$!
fi

"$root/tools/wine-session.sh" start
trap '"$root/tools/wine-session.sh" stop' EXIT
. "$root/tools/wine-env.sh"
cd "$SKIRMORA_BUILD/x64"
# The 30-minute soak run only when asked for (bash tools/test.sh -L soak); its smoke variant always.
if [[ " $* " != *" -L "* ]]; then set -- -LE soak "$@"; fi
status=0
ctest --output-on-failure --no-tests=error -j "${CTEST_JOBS:-4}" "$@" || status=$?
summary="64-bit tests $([ $status -eq 0 ] && echo passed || echo failed)"
# A stage's part of the last line: passed, failed, or did not run and why. A stage that ran its
# tests ends its output with its time ("... s in all"); one that stopped before ends it with the
# reason.
outcome() {  # name status log
  local last
  last=$(tail -n1 "$3" 2>/dev/null || true)
  if [ "$2" -eq 0 ]; then echo "$1 passed"
  elif [[ $last == *" s in all"* ]]; then echo "$1 failed"
  else last=${last#"$1: "}; echo "$1 DID NOT RUN: ${last:-it wrote nothing}"; fi
}
# The image-folder build's client (built beside the others by tools/build.sh), on a whole run.
if [[ " $* " != *" -R "* ]]; then
  folder=0
  "$root/tools/image-folder-stage.sh" </dev/null 2>&1 | tee "$SKIRMORA_BUILD/image-folder-stage.log" || folder=$?
  summary+=", $(outcome "image-folder stage" $folder "$SKIRMORA_BUILD/image-folder-stage.log")"
  [ $folder -eq 0 ] || status=1
else
  summary+=", image-folder stage NOT RUN (-R selects among the 64-bit tests; the stage runs on a whole run)"
fi

if [ -n "$stage32" ]; then
  status32=0
  wait "$stage32" || status32=$?
  echo "=== 32-bit stage (the shipped binaries under emulation) ==="
  cat "$SKIRMORA_BUILD/win32-stage.log"
  summary+=", $(outcome "32-bit stage" $status32 "$SKIRMORA_BUILD/win32-stage.log")"
  [ $status32 -eq 0 ] || status=1
else
  summary+=", 32-bit stage NOT RUN (SKIRMORA_SKIP_WIN32_RUN=1)"
fi
echo "test.sh: $summary"
exit $status
