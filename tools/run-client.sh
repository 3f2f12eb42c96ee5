#!/usr/bin/env bash
# Sets up the machine, builds everything, starts the scripted test server and the client.
# The client shows on $DISPLAY when one is set, else on the session's Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
export SKIRMORA_BUILD=${SKIRMORA_BUILD:-$root/build}
caller_display=${DISPLAY:-}
"$root/tools/wine-session.sh" start
. "$root/tools/wine-env.sh"
[ -n "$caller_display" ] && export DISPLAY=$caller_display
bin="$SKIRMORA_BUILD/x64/bin"
# Point the login dialog at the test server (the user can still type another).
mkdir -p "$bin/Dat"
if [ ! -f "$bin/Dat/Game.DAT" ] || ! grep -q '^\[LASTSERVER\]' "$bin/Dat/Game.DAT"; then
  printf '[LASTSERVER]\r\nHost=127.0.0.1\r\nPort=10001\r\n' >> "$bin/Dat/Game.DAT"
fi
python3 "$root/tools/testserver/server.py" --port 10001 &
server_pid=$!
trap 'kill $server_pid 2>/dev/null; true' EXIT
echo "Client on DISPLAY=$DISPLAY; test server on 127.0.0.1:10001 (Connect, then log in with any name of"
echo "3 letters or more and any password of 4 letters or digits or more)."
"$WINE" "$bin/Skirmex.exe"
