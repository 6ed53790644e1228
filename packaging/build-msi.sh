#!/usr/bin/env bash
# Builds the installer with wixl:  build-msi.sh OUT.msi VERSION PIGMORA.DLL README.txt
# The registry rows come from the DLL itself: it is registered for the current user in the
# Wine prefix WINEPREFIX (which must be running) from a stand-in folder, and what it wrote
# becomes the rows (registry_rows.py); it is unregistered again after.
set -euo pipefail
out=$1 version=$2 dll=$3 readme=$4
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?}"
work=$(mktemp -d)
stand_in='C:\HuevistaRows'
stand_in_unix="$WINEPREFIX/drive_c/HuevistaRows"
trap 'wine regsvr32 /s /u /n /i:user "$stand_in\\Pigmora.dll" >/dev/null 2>&1 || true; rm -rf "$work" "$stand_in_unix"' EXIT
mkdir -p "$stand_in_unix"
cp "$dll" "$stand_in_unix/Pigmora.dll"
wine reg export HKEY_CURRENT_USER "$(winepath -w "$work/before.reg")" /y >/dev/null 2>&1
wine regsvr32 /s /n /i:user "$stand_in\\Pigmora.dll"
wine reg export HKEY_CURRENT_USER "$(winepath -w "$work/after.reg")" /y >/dev/null 2>&1
python3 "$here/registry_rows.py" "$work/before.reg" "$work/after.reg" "$stand_in" "$work/registry.wxi"
# wixl takes the files' sources relative to where it runs.
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
cp "$dll" "$work/Pigmora.dll"
cp "$readme" "$work/README.txt"
(cd "$work" && wixl -a x86 -I "$work" -D Version="$version" -D Dll=Pigmora.dll \
  -D Readme=README.txt -o "$out" "$here/huevista.wxs")
# wixl writes the Registry table's HKMU as root 4, which no installer knows; HKMU is -1 (the
# user's hive per user, the machine's with ALLUSERS=1).
msibuild "$out" -q 'UPDATE `Registry` SET `Root` = -1 WHERE `Root` = 4'
