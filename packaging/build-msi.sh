#!/usr/bin/env bash
# Builds the installer with wixl:  build-msi.sh OUT.msi VERSION PIGMORA.DLL README.txt
# The registry rows come from the DLL itself: it is registered for the current user in the
# Wine prefix WINEPREFIX (which must be running) from a stand-in folder, and what it wrote
# becomes the rows (registry_rows.py); it is unregistered again after. A 64-bit DLL makes the
# 64-bit package, and needs a 64-bit prefix (its regsvr32 is the 64-bit one).
set -euo pipefail
out=$1 version=$2 dll=$3 readme=$4
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?}"
case "$(objdump -f "$dll" | grep -o 'pei-[a-z0-9-]*' | head -1)" in
  pei-i386) arch=x86 view= ;;
  pei-x86-64) arch=x64 view=/reg:64 ;; # `wine reg` is 32-bit: the 64-bit view by name
  *) echo "build-msi: $dll is not a Windows DLL" >&2; exit 1 ;;
esac
work=$(mktemp -d)
stand_in='C:\HuevistaRows'
stand_in_unix="$WINEPREFIX/drive_c/HuevistaRows"
trap 'wine regsvr32 /s /u /n /i:user "$stand_in\\Pigmora.dll" >/dev/null 2>&1 || true; rm -rf "$work" "$stand_in_unix"' EXIT
mkdir -p "$stand_in_unix"
cp "$dll" "$stand_in_unix/Pigmora.dll"
wine reg export HKEY_CURRENT_USER "$(winepath -w "$work/before.reg")" /y $view >/dev/null 2>&1
wine regsvr32 /s /n /i:user "$stand_in\\Pigmora.dll"
wine reg export HKEY_CURRENT_USER "$(winepath -w "$work/after.reg")" /y $view >/dev/null 2>&1
python3 "$here/registry_rows.py" "$work/before.reg" "$work/after.reg" "$stand_in" "$work/registry.wxi"
# wixl takes the files' sources relative to where it runs.
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
cp "$dll" "$work/Pigmora.dll"
cp "$readme" "$work/README.txt"
(cd "$work" && wixl -a "$arch" -I "$work" -D Arch="$arch" -D Version="$version" -D Dll=Pigmora.dll \
  -D Readme=README.txt -o "$out" "$here/huevista.wxs")
# wixl writes the Registry table's HKMU as root 4, which no installer knows; HKMU is -1 (the
# user's hive per user, the machine's with ALLUSERS=1).
msibuild "$out" -q 'UPDATE `Registry` SET `Root` = -1 WHERE `Root` = 4'
# wixl has no short names; the 64-bit folder's long name needs one beside it.
if [ "$arch" = x64 ]; then
  msibuild "$out" -q "UPDATE \`Directory\` SET \`DefaultDir\` = 'HUEVIS64|Huevista (64-bit)' WHERE \`Directory\` = 'INSTALLDIR'"
fi
