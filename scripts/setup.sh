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
# npm packs the typings below. Debian's nodejs and npm, unless a Node.js with its own npm is
# there already (NodeSource's nodejs bundles npm and conflicts with Debian's npm package).
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)

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

# The editors' type libraries as published typings, pinned: the host's member tables are
# checked against them (tests/typings).
typings="${BUILD_DIR:-$PWD/build}/typings"
for pinned in activex-vbide@14.0.6 activex-office@16.0.7; do
  name=${pinned%@*}
  [ -f "$typings/$name/index.d.ts" ] && continue
  mkdir -p "$typings/$name"
  tarball=$(cd "$typings" && npm pack --silent "@types/$pinned")
  tar -xzf "$typings/$tarball" -C "$typings/$name" --strip-components=1
  rm -f "$typings/$tarball"
done
