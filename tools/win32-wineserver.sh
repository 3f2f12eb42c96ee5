#!/usr/bin/env bash
# The 32-bit Wine's wineserver from the i386 root (see tools/win32-wine.sh).
exec unshare --root="$SKIRMORA_WIN32_ROOT" --wd=/ /usr/lib/wine/wineserver32 "$@"
