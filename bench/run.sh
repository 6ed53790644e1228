#!/usr/bin/env bash
# Prints the performance table: each path of the add-in against the cheapest way the platform
# does the same visible thing, both measured in this run under Wine on private Xvfb screens.
# Takes about five minutes. RUNS scales the number of samples (default 1 = the usual count).
# The programs' own output goes to build/bench/run.log.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
SCALE=${RUNS:-1}
bash scripts/setup.sh
mkdir -p build/bench
LOG=$ROOT/build/bench/run.log
: >"$LOG"
if ! { cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build build/win32 -j2 --target Pigmora bench_pick bench_output bench_connect \
         bench_controls bench_capture bench_menus bench_capture_pick \
         bench_form_colours bench_project_colours; } >build/bench/build.log 2>&1; then
  cat build/bench/build.log >&2
  exit 1
fi

# The shipped DLLs against their budgets (stripped MinSizeRel builds, as scripts/package.sh
# makes them): the 32-bit one always, the 64-bit one where the test run has built it.
{ cmake -S . -B build/release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
    -DCMAKE_BUILD_TYPE=MinSizeRel && cmake --build build/release -j2 --target Pigmora; } \
  >>build/bench/build.log 2>&1 || { cat build/bench/build.log >&2; exit 1; }
size_row() {
  local dll=$1 bits=$2 budget=$3 size
  [ -f "$dll" ] || return 0
  size=$(stat -c %s "$dll")
  printf '| Release DLL, %s | %s bytes | budget %s bytes | %s | stripped MinSizeRel |\n' "$bits" \
    "$size" "$budget" "$(awk -v a="$size" -v b="$budget" 'BEGIN { printf "%.2fx", a / b }')"
}
SIZE_ROWS=$(size_row build/release/Pigmora.dll i686 450560
  grep -qs 'CMAKE_BUILD_TYPE:STRING=MinSizeRel' build/win64/CMakeCache.txt &&
    size_row build/win64/Pigmora.dll x64 512000 || true)

# A prefix of its own, so a test run in the same tree is not disturbed.
export BUILD_DIR="$ROOT/build/bench"
source scripts/wine-env.sh
trap wine_env_stop EXIT
ROWS=$ROOT/build/bench/rows.md
: >"$ROWS"
# Runs one benchmark program; its table rows are kept, everything else goes to the log.
run() {
  local exe=$1; shift
  echo "== $exe $*" >>"$LOG"
  (cd "$ROOT/build/win32" && wine "./$exe.exe" "$@") 2>>"$LOG" | tee -a "$LOG" | grep '^| ' >>"$ROWS" ||
    echo "| $exe | failed, see $LOG | | | |" >>"$ROWS"
}
n() { echo $(( $1 * SCALE )); }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for geometry in 1024x768x24 1920x1080x24 two-monitors; do
  if [ "$geometry" = two-monitors ]; then two_monitors_start; else SCREEN_GEOMETRY=$geometry xvfb_start; fi
  wine_prefix_start
  # Without a window manager Wine would wait 2 s for one each time a window goes.
  for exe in bench_pick.exe bench_output.exe bench_connect.exe bench_controls.exe bench_capture.exe bench_menus.exe \
    bench_capture_pick.exe bench_form_colours.exe bench_project_colours.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /d N /f \
      >/dev/null 2>&1
  done
  if [ "$geometry" = 1024x768x24 ]; then
    run bench_pick "$(n 300)"
    run bench_output "$(n 200)"
    run bench_form_colours "$(n 50)"
    run bench_project_colours "$(n 5)"
    run bench_connect "$(n 30)"
    run bench_controls
    run bench_menus "$(n 100)"
    run bench_capture_pick "$(n 300)"
  fi
  run bench_capture "$(n 40)"
  # The next screen needs a new wineserver: the desktop keeps the size it started with.
  wine_env_stop
  XVFB_PID= XEPHYR_PID= WINESERVER_STARTED=
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo
echo "Huevista under Wine $(wine --version 2>/dev/null | sed 's/^wine-//'), $(nproc) cores," \
  "load average $load_before before, $load_after after"
echo "Medians with half the interquartile range; the ratio is the median of side-by-side pairs."
echo
echo "| Path | Add-in | Baseline (same run) | Ratio | Notes |"
echo "|---|---|---|---|---|"
cat "$ROWS"
echo "$SIZE_ROWS"
if grep -q 'x \* |' "$ROWS"; then
  echo
  echo "* The two rounds of this figure differ by more than 20 %: the machine was too busy for it"
  echo "  to mean anything. Run again on a quieter machine."
fi
