#!/usr/bin/env bash
# Runs a Windows program under the project's Wine session, starting the session when needed.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
if [ ! -f "$SKIRMORA_WINE/display" ] || [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$SKIRMORA_WINE/peerd.port" ]; then
  "$(dirname "$0")/wine-session.sh" start >/dev/null
  . "$(dirname "$0")/wine-env.sh"
fi
exec "$WINE" "$@"
