# Sourced by the Wine helpers: the scratch prefix and the environment every run uses.
# SKIRMORA_BUILD names the build folder (default: build beside this script's folder).
_tools_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export SKIRMORA_ROOT=$(cd "$_tools_dir/.." && pwd)
export SKIRMORA_BUILD=$(mkdir -p "${SKIRMORA_BUILD:-$SKIRMORA_ROOT/build}" && cd "${SKIRMORA_BUILD:-$SKIRMORA_ROOT/build}" && pwd)
if [ -n "${SKIRMORA_WIN32_ROOT:-}" ]; then
  # The 32-bit stage (tools/win32-stage.sh): 32-bit Wine from the emulated i386 root, with a
  # session of its own.
  export SKIRMORA_WINE="$SKIRMORA_BUILD/wine32"
  export WINEARCH=win32
  export WINE=$_tools_dir/win32-wine.sh
  export WINESERVER=$_tools_dir/win32-wineserver.sh
else
  export SKIRMORA_WINE="$SKIRMORA_BUILD/wine"
  export WINEARCH=win64
  export WINE=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
fi
export WINEPREFIX="$SKIRMORA_WINE/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes its ANSI code page from the locale: en_US.UTF-8 gives code page 1252. The locale is
# made first where the machine lacks it, so that setting it never fails.
"$_tools_dir/setup-locale.sh"
export LANG=en_US.UTF-8
export LC_ALL=en_US.UTF-8
# Wine's ALSA driver reads ~/.asoundrc: a home of our own gives it a null sound device.
export HOME="$SKIRMORA_WINE/home"
if [ -f "$SKIRMORA_WINE/display" ]; then
  export DISPLAY=$(cat "$SKIRMORA_WINE/display")
fi
if [ -f "$SKIRMORA_WINE/peerd.port" ]; then
  export SKIRMORA_PEERD_PORT=$(cat "$SKIRMORA_WINE/peerd.port")
fi
