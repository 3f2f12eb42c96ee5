#!/usr/bin/env bash
# Installs everything the build, the tests and the run need. Safe to run twice.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# Both mingw-w64 targets: the shipped 32-bit binaries and the 64-bit build the tests run on
# (this machine's kernel runs no 32-bit programs, so Wine here is the 64-bit one).
need=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
      g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
      mingw-w64-tools cmake ninja-build wine wine64 xvfb xauth x11-apps imagemagick
      python3 googletest locales libasound2-plugins
      libgnutls30)

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale: en_US.UTF-8 gives code page 1252.
if ! locale -a 2>/dev/null | grep -qi '^en_US.utf8$'; then
  sed -i 's/^# *en_US.UTF-8 UTF-8/en_US.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >> /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
