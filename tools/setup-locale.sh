#!/usr/bin/env bash
# Makes the en_US.UTF-8 locale the Wine helpers run in (Wine takes its ANSI code page, 1252,
# from it). Safe to run twice; tools/wine-env.sh runs it before it sets the locale.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

has_locale() { locale -a 2>/dev/null | grep -ix 'en_US.utf8' >/dev/null; }
has_locale && exit 0

if ! command -v locale-gen >/dev/null; then
  $SUDO apt-get update -q
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends locales
fi
if [ -f /etc/locale.gen ] && ! grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen; then
  $SUDO sed -i 's/^# *en_US.UTF-8 UTF-8/en_US.UTF-8 UTF-8/' /etc/locale.gen
fi
grep -qs '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
$SUDO locale-gen >/dev/null
has_locale || { echo "setup-locale.sh: the en_US.UTF-8 locale could not be made (is locale-gen working?)" >&2; exit 1; }
