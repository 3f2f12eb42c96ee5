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
# A first run gets the demo's layout (the map large, the chat below) and walks with the keypad.
if not ini.has_section("Form"):
    ini.add_section("Form")
    for key, value in [("MapTop", 0), ("MapLeft", 0), ("MapWidth", 9600), ("MapHeight", 6000), ("GameTop", 0),
                       ("GameLeft", 9700), ("ChatTop", 6100), ("ChatLeft", 0), ("ChatWidth", 15000),
                       ("ChatHeight", 3300)]:
        ini.set("Form", key, str(value))
if not ini.has_section("Options"):
    ini.add_section("Options")
if not ini.has_option("Options", "KeyPad"):
    ini.set("Options", "KeyPad", "True")
with open(path, "w", encoding="latin-1", newline="\r\n") as f:
    ini.write(f, space_around_delimiters=False)
PY
python3 "$root/tools/testserver/server.py" --port 10001 &
server_pid=$!
python3 "$root/tools/httpfiles.py" --port 10002 --root "$root/tools/testserver/maps" &
web_pid=$!
capture_pid=
if [ -z "$caller_display" ]; then
  # Nobody sees the session's own Xvfb: a picture of it every few seconds shows what it shows.
  screen="$SKIRMORA_WINE/screen.png"
  python3 "$root/tools/screenshot.py" --every 5 "$screen" 2>/dev/null &
  capture_pid=$!
  echo "No display is set (DISPLAY is empty): the client draws on the session's own Xvfb ($DISPLAY),"
  echo "where nobody can see it. A picture of that display is written every 5 seconds to"
  echo "  $screen"
  echo "To watch the client live instead, run this command in a desktop session, or with DISPLAY set"
  echo "to a desktop's display (DISPLAY=<display> bash tools/run-client.sh)."
fi
trap 'kill $server_pid $web_pid $capture_pid 2>/dev/null; true' EXIT
echo "Client on DISPLAY=$DISPLAY; test server on 127.0.0.1:10001 playing the demo session (Connect, then"
echo "log in with any name of 3 letters or more and any password of 4 letters or digits or more; walk"
echo "with the keypad or by clicking the map)."
"$WINE" "$bin/Skirmex.exe"
