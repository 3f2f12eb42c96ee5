#!/usr/bin/env bash
# 32-bit Wine from the i386 root, for the 32-bit stage (tools/win32-stage.sh, whose mount
# namespace lays out the root): the program runs with the root as its / and in the current folder.
exec env WINESERVER=/usr/lib/wine/wineserver32 \
  unshare --root="$SKIRMORA_WIN32_ROOT" --wd="$PWD" /usr/lib/wine/wine "$@"
