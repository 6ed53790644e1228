#!/usr/bin/env bash
# Installs what building and running Huevista needs on Debian 12. Safe to run again:
# it only calls apt-get when a package is missing.
set -euo pipefail

packages=(
  cmake g++ make git
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine32:i386 wine64 libxinerama1:i386
  xvfb xserver-xephyr xauth x11-utils xdotool imagemagick fonts-wine fonts-liberation
  wixl msitools
  googletest python3
)

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "$need_i386" = 1 ] || [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]:-(i386 architecture)}"
  [ "$(id -u)" = 0 ] && SUDO= || SUDO=sudo
  [ "$need_i386" = 1 ] && $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
