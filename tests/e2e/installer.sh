#!/usr/bin/env bash
# The installer in a fresh Wine prefix, silently, as an administrator deploying it would:
# an older package, then the current one over it (one product left, the newer); the IDE host
# loads the add-in from what it installed and its button opens the window; the registry
# rows equal what the DLL's own per-user registration writes; uninstalling leaves the
# registry and the files as they were, except the user's favourites and settings.
# A 64-bit DLL is the 64-bit package's: in a 64-bit prefix, with the 64-bit host of the build
# folder playing 64-bit Office's VBA editor.
#
#   installer.sh RELEASE_DLL   (in the build folder, with DISPLAY set)
set -euo pipefail
dll=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$PWD
: "${DISPLAY:?}"
[ -f "$dll" ] || { echo "FAIL: no release DLL at $dll (scripts/test.sh builds it)" >&2; exit 1; }
version=$(head -1 "$root/VERSION")
if objdump -f "$dll" | grep -q pei-x86-64; then
  # `wine reg` is the 32-bit reg.exe: /reg:64 gives it the 64-bit view, which holds the
  # 32-bit one below Wow6432Node.
  arch=win64 product="VB 6 Huevista (64-bit)" folder="Huevista (64-bit)" host_args=/vba view=/reg:64
  record='HKLM\Software\Microsoft\VBA\VBE\6.0\Addins64\Pigmora.Connect'
else
  arch=win32 product="VB 6 Huevista" folder=Huevista host_args= view=
  record='HKLM\Software\Microsoft\Visual Basic\6.0\Addins\Pigmora.Connect'
fi

export WINEPREFIX="$here/installer-prefix" WINEARCH=$arch WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
work="$here/installer-work"
host_pid=
source "$(dirname "$0")/host_session.sh" # fail, open_addin_window
finish() {
  if [ -n "$host_pid" ]; then kill "$host_pid" 2>/dev/null || true; fi
  wineserver -k >/dev/null 2>&1 || true
}
trap finish EXIT
rm -rf "$WINEPREFIX" "$work"
mkdir -p "$work"
wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p >/dev/null 2>&1
wine wineboot >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\AppDefaults\idehost.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# The packages: the current version and one older.
sed 's/$/\r/' "$root/README.md" >"$work/README.txt"
bash "$root/packaging/build-msi.sh" "$work/new.msi" "$version" "$dll" "$work/README.txt"
bash "$root/packaging/build-msi.sh" "$work/old.msi" 1.0.0 "$dll" "$work/README.txt"

# Values of both hives as "key|name=data" lines, and the files of drive C, leaving out what
# Wine and the installer service keep for themselves.
snapshot() {
  local out=$1
  for hive in HKEY_CURRENT_USER HKEY_LOCAL_MACHINE; do
    wine reg export "$hive" "$(winepath -w "$work/hive.reg")" /y $view >/dev/null 2>&1
    python3 "$root/tests/e2e/reg_lines.py" "$work/hive.reg"
  done | grep -v -i -E \
    -e '^HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\' \
    -e '^HKEY_CURRENT_USER\\Software\\Microsoft\\Installer\\' \
    -e '^HKEY_LOCAL_MACHINE\\Software\\Classes\\Installer\\' \
    -e '^HKEY_CURRENT_USER\\Software\\Wine\\' \
    -e '^HKEY_LOCAL_MACHINE\\System\\' \
    -e '^HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\' \
    -e '\|(InstallDate|Time|MRU)' | sort >"$out.reg" || true
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print) |
    sort >"$out.files"
}

# The user's programs folder is there, as on Windows 10 and later (it is not the package's to
# remove, and Wine's installer would not remove a parent folder it made anyway).
programs="$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")/Programs"
mkdir -p "$programs"
snapshot "$work/before"

# What regsvr32 /n /i:user writes for the DLL where the installer puts it.
mkdir -p "$programs/$folder"
cp "$dll" "$programs/$folder/Pigmora.dll"
installed_dll=$(winepath -w "$programs/$folder/Pigmora.dll")
wine regsvr32 /s /n /i:user "$installed_dll" || fail "regsvr32 /n /i:user failed"
snapshot "$work/regsvr32"
wine regsvr32 /s /u /n /i:user "$installed_dll" || fail "regsvr32 /u failed"
rm -rf "${programs:?}/$folder"

# The older package, then the current one over it.
wine msiexec /i "$(winepath -w "$work/old.msi")" /qn || fail "installing the older package failed"
wine msiexec /i "$(winepath -w "$work/new.msi")" /qn || fail "installing the package failed"
[ -f "$programs/$folder/Pigmora.dll" ] || fail "no DLL under the user's programs folder"
cmp -s "$dll" "$programs/$folder/Pigmora.dll" || fail "the installed DLL is not the release DLL"
snapshot "$work/installed"
# Lines "...\Uninstall\{code}|DisplayName=PRODUCT" (the name matched whole, parentheses and all).
entries=$(awk -v tail="|DisplayName=$product" 'tolower($0) ~ /\\uninstall\\/ &&
  substr($0, length($0) - length(tail) + 1) == tail' "$work/installed.reg")
[ "$(printf '%s\n' "$entries" | grep -c .)" = 1 ] ||
  fail "installed programs list $product $(printf '%s\n' "$entries" | grep -c .) times"
uninstall_key=${entries%%|*}
for want in "DisplayVersion=$version" "Publisher=Lumo Software"; do
  grep -q -F -x "$uninstall_key|$want" "$work/installed.reg" || fail "the installed programs entry lacks $want"
done
echo "one product after the upgrade: $uninstall_key"

# The installer's rows are what registration writes (the type library's folder as the
# installer writes folders, with a closing backslash).
added() { comm -13 "$work/before.reg" "$1" | grep -v -F "$uninstall_key" | sed -E 's/(\\HELPDIR\|=.*)\\$/\1/'; }
if ! diff <(added "$work/regsvr32.reg") <(added "$work/installed.reg") >"$work/rows.diff"; then
  cat "$work/rows.diff" >&2
  fail "the installer's registry rows differ from regsvr32 /n /i:user's (< regsvr32, > installer)"
fi
echo "registry rows equal to regsvr32's: $(added "$work/installed.reg" | wc -l) values"

# The IDE host loads the add-in from the installed record; its button opens the window.
cd "$here"
# shellcheck disable=SC2086
wine idehost.exe $host_args >/dev/null 2>&1 &
host_pid=$!
open_addin_window
wine uiprobe.exe close >/dev/null || true
for _ in $(seq 1 75); do kill -0 "$host_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$host_pid" 2>/dev/null && fail "the host did not close"
host_pid=
echo "the host loaded the installed add-in and opened its window"

# A favourite of the user's, then uninstall: it and the window setting stay, nothing else.
wine reg add 'HKLM\Software\Lumo\ColorValues' /v Color1 /d 255 /f $view >/dev/null
wine msiexec /x "$(winepath -w "$work/new.msi")" /qn || fail "uninstalling failed"
snapshot "$work/after"
grep -q -F 'Pigmora\Settings|DisplayOnConnect=1' "$work/after.reg" || fail "the window setting went"
grep -q -F 'Lumo\ColorValues|Color1=255' "$work/after.reg" || fail "the favourite went"
user_data='(\\Software\\Lumo\\|\\VB and VBA Program Settings\\Pigmora\\)'
if ! diff <(grep -v -E "$user_data" "$work/before.reg") <(grep -v -E "$user_data" "$work/after.reg") \
  >"$work/left.diff"; then
  cat "$work/left.diff" >&2
  fail "the registry after uninstalling differs from before installing (< before, > after)"
fi
if ! diff "$work/before.files" "$work/after.files" >"$work/left-files.diff"; then
  cat "$work/left-files.diff" >&2
  fail "files after uninstalling differ from before installing"
fi
echo "uninstalled: registry and files as before, favourites and settings kept"

# For the machine, by the property: Program Files and the machine's keys, then gone again.
clsid='HKLM\Software\Classes\CLSID\{3F0028A8-19EE-4E10-871F-C4C0AE30C8A7}\InprocServer32'
wine msiexec /i "$(winepath -w "$work/new.msi")" ALLUSERS=1 /qn || fail "the machine install failed"
machine_dll=$(wine reg query "$clsid" /ve $view 2>/dev/null | tr -d '\r' | grep -o '[A-Z]:\\.*Pigmora.dll' || true)
[[ "$machine_dll" == *'\Program Files\Huevista\Pigmora.dll' ]] ||
  fail "the machine install registered '$machine_dll'"
[ -f "$(winepath -u "$machine_dll")" ] || fail "no DLL at $machine_dll"
wine reg query "$record" $view >/dev/null 2>&1 || fail "the machine install wrote no add-in record at $record"
wine msiexec /x "$(winepath -w "$work/new.msi")" ALLUSERS=1 /qn || fail "the machine uninstall failed"
snapshot "$work/machine-after"
diff <(grep -v -E "$user_data" "$work/before.reg") <(grep -v -E "$user_data" "$work/machine-after.reg") \
  >/dev/null || fail "the machine uninstall left registry values"
diff "$work/before.files" "$work/machine-after.files" >/dev/null || fail "the machine uninstall left files"
echo "for the machine with ALLUSERS=1: Program Files and HKLM, removed again"
echo "5 passed, 0 failed"
