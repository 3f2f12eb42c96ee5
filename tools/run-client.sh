#!/usr/bin/env bash
# Sets up the machine, builds everything, starts the scripted test server and the client.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
export SKIRMORA_BUILD=${SKIRMORA_BUILD:-$root/build}
"$root/tools/wine-session.sh" start
. "$root/tools/wine-env.sh"
if [ -z "${SKIRMORA_DISPLAY:-}" ] && [ -n "${ORIG_DISPLAY:-}" ]; then export DISPLAY=$ORIG_DISPLAY; fi
server_pid=""
if [ -f "$root/tools/testserver/server.py" ]; then
  python3 "$root/tools/testserver/server.py" --port 7777 &
  server_pid=$!
fi
trap '[ -n "$server_pid" ] && kill $server_pid 2>/dev/null; true' EXIT
"$WINE" "$SKIRMORA_BUILD/x64/bin/Skirmex.exe"
