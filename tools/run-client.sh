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
# Point the login dialog at the test server (the user can still type another) and the map
# downloads at the local web host, which serves the demo's map.
mkdir -p "$bin/Dat"
python3 - "$bin/Dat/Game.DAT" <<'PY'
import configparser, sys
path = sys.argv[1]
ini = configparser.RawConfigParser(strict=False, interpolation=None)
ini.optionxform = str
ini.read(path, encoding="latin-1")
if not ini.has_section("LASTSERVER"):
    ini.add_section("LASTSERVER")
ini.set("LASTSERVER", "Host", "127.0.0.1")
ini.set("LASTSERVER", "Port", "10001")
ini.set("LASTSERVER", "MapURL", "http://127.0.0.1:10002/maps/")
with open(path, "w", encoding="latin-1", newline="\r\n") as f:
    ini.write(f, space_around_delimiters=False)
PY
python3 "$root/tools/testserver/server.py" --port 10001 &
server_pid=$!
python3 "$root/tools/httpfiles.py" --port 10002 --root "$root/tools/testserver/maps" &
web_pid=$!
trap 'kill $server_pid $web_pid 2>/dev/null; true' EXIT
echo "Client on DISPLAY=$DISPLAY; test server on 127.0.0.1:10001 (Connect, then log in with any name of"
echo "3 letters or more and any password of 4 letters or digits or more)."
"$WINE" "$bin/Skirmex.exe"
