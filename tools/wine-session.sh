#!/usr/bin/env bash
# wine-session.sh start|stop|status
# start: a 24-bit Xvfb, the scratch prefix (made once), a persistent wineserver.
# stop: ends what start began.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$SKIRMORA_WINE" "$HOME"

xvfb_alive() { [ -f "$SKIRMORA_WINE/xvfb.pid" ] && kill -0 "$(cat "$SKIRMORA_WINE/xvfb.pid")" 2>/dev/null; }

# Wine's own fonts (Tahoma, MS Sans Serif, and Marlett, which draws the caption buttons) come in
# a package of their own, in a folder this Wine build never reads: linked into the prefix's Fonts
# folder they load as Windows' own. Arial is drawn with its metric twin, Liberation Sans.
prefix_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    [ -e "$f" ] && ln -sf "$f" "$fonts/"
  done
  if ! grep -q '^"Arial"="Liberation Sans"' "$WINEPREFIX/user.reg"; then
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1 || true
  fi
}

# Direct3D without its command-stream thread: that thread's command queue (some 8 MB) is
# committed page by page as the frames' draw calls first reach each page, so a client drawing
# five frames a second seems to grow for half an hour; drawn in the calling thread, the frames
# need no queue.
prefix_direct3d() {
  if ! grep -q '^"csmt"=dword:00000000' "$WINEPREFIX/user.reg"; then
    "$WINE" reg add 'HKCU\Software\Wine\Direct3D' /v csmt /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  fi
}

start() {
  if [ ! -f "$HOME/.asoundrc" ]; then
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
  fi
  if ! xvfb_alive; then
    rm -f "$SKIRMORA_WINE/display"
    exec 3> "$SKIRMORA_WINE/display.fd"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac >"$SKIRMORA_WINE/xvfb.log" 2>&1 &
    echo $! > "$SKIRMORA_WINE/xvfb.pid"
    exec 3>&-
    for _ in $(seq 1 100); do
      [ -s "$SKIRMORA_WINE/display.fd" ] && break
      sleep 0.1
    done
    echo ":$(head -n1 "$SKIRMORA_WINE/display.fd")" > "$SKIRMORA_WINE/display"
  fi
  export DISPLAY=$(cat "$SKIRMORA_WINE/display")
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX ..."
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    # No crash dialog: a faulting test must end, not wait for a click.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    # Unmanaged windows: with no window manager on Xvfb, showing and hiding never waits for one.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  # Persistent wineserver: programs start in a fraction of a second. The warm-up run starts
  # Wine's own services now, with no terminal or pipe of a later test to hold open.
  ("$WINESERVER" -p >/dev/null 2>&1 &) ; sleep 0.2
  prefix_fonts
  prefix_direct3d
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
  # Wine's desktop process, started now for the whole session: else the first windowed test
  # program starts it, it inherits that test's output pipe, and CTest waits for the pipe until
  # the desktop ends, charging that test the run of every test after it.
  if ! { [ -f "$SKIRMORA_WINE/desktop.pid" ] && kill -0 "$(cat "$SKIRMORA_WINE/desktop.pid")" 2>/dev/null; }; then
    "$WINE" explorer.exe /desktop >/dev/null 2>&1 </dev/null &
    echo $! > "$SKIRMORA_WINE/desktop.pid"
    sleep 1
  fi
  # The peer daemon: tests ask it to start Linux helper programs (Wine cannot).
  if ! { [ -f "$SKIRMORA_WINE/peerd.pid" ] && kill -0 "$(cat "$SKIRMORA_WINE/peerd.pid")" 2>/dev/null; }; then
    rm -f "$SKIRMORA_WINE/peerd.port"
    python3 "$SKIRMORA_ROOT/tools/peerd.py" --root "$SKIRMORA_ROOT" --port-file "$SKIRMORA_WINE/peerd.port" \
      --log "$SKIRMORA_WINE/peers.log" >/dev/null 2>&1 </dev/null &
    echo $! > "$SKIRMORA_WINE/peerd.pid"
    for _ in $(seq 1 100); do [ -s "$SKIRMORA_WINE/peerd.port" ] && break; sleep 0.05; done
  fi
  echo "DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if xvfb_alive; then kill "$(cat "$SKIRMORA_WINE/xvfb.pid")" 2>/dev/null || true; fi
  if [ -f "$SKIRMORA_WINE/peerd.pid" ]; then kill "$(cat "$SKIRMORA_WINE/peerd.pid")" 2>/dev/null || true; fi
  rm -f "$SKIRMORA_WINE/peerd.pid" "$SKIRMORA_WINE/peerd.port" "$SKIRMORA_WINE/desktop.pid"
  rm -f "$SKIRMORA_WINE/xvfb.pid" "$SKIRMORA_WINE/display" "$SKIRMORA_WINE/display.fd"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  status) xvfb_alive && echo "running on $(cat "$SKIRMORA_WINE/display")" || echo "stopped" ;;
  *) echo "usage: $0 start|stop|status" >&2; exit 2 ;;
esac
