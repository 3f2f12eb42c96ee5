#!/usr/bin/env bash
# Installs everything the build, the tests and the run need. Safe to run twice.
# setup.sh [--win32-background LOG]: see the 32-bit environment at the end.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
tools=$(cd "$(dirname "$0")" && pwd)

# Both mingw-w64 targets (and a compiler cache, through which the image-folder build takes the
# 64-bit build's objects): the shipped 32-bit binaries and the 64-bit build the tests run on
# (this machine's kernel runs no 32-bit programs, so Wine here is the 64-bit one).
build=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
       g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
       mingw-w64-tools cmake ninja-build ccache googletest python3)
# Wine and the X server it draws on. Installed without Wine's recommended packages, so what the
# client's windows need of those is named here: Wine's own fonts (Tahoma, MS Sans Serif, and
# Marlett for the caption buttons), Liberation Sans as Arial, FreeType, X rendering and OpenGL
# (Direct3D), GnuTLS (secure sockets), and the ALSA plugins.
run=(wine wine64 fonts-wine fonts-liberation libfreetype6 libfontconfig1
     libxrender1 libxext6 libxi6 libxrandr2 libxcursor1 libxinerama1 libxcomposite1 libxfixes3
     libgl1 libgl1-mesa-dri libgnutls30 libasound2-plugins locales xvfb xauth)
# The service names the socket library resolves (getservbyname, getservbyport) come from the
# services file Wine writes into each prefix at its creation, C:\windows\system32\drivers\etc\services
# as on Windows, and not from the machine's /etc/services: the wine packages provide them.
# For looking at the screenshots the tests save (BMP files) and at the X display.
look=(imagemagick x11-apps)

missing=()
for p in "${build[@]}" "${run[@]}" "${look[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -q
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

"$tools/setup-locale.sh"

# The 32-bit environment of the tests' 32-bit stage: the emulator and the i386 root with 32-bit
# Wine, in a machine-wide cache folder (tools/win32-root.sh), made once per machine and checked
# on later runs. With --win32-background it is made in the background, its output in LOG
# (tools/test.sh: it overlaps the build, and the stage waits for it).
if [ "${SKIRMORA_SKIP_WIN32_RUN:-0}" != 1 ]; then
  if [ "${1:-}" = --win32-background ]; then
    mkdir -p "$(dirname "$2")"
    $SUDO "$tools/win32-root.sh" prepare >"$2" 2>&1 &
  else
    $SUDO "$tools/win32-root.sh" prepare
  fi
fi
