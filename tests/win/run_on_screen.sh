#!/usr/bin/env bash
# Runs some of window_tests on a screen unlike the default one: another DPI, or two monitors.
# Its own Wine prefix and display: the DPI is read from the prefix's registry when a program
# starts, and a prefix follows one display.
# Usage: run_on_screen.sh <window_tests.exe> <work folder> <dpi> <monitors: 1|2> <gtest filter>
set -euo pipefail
exe=$(realpath "$1")
export BUILD_DIR=$(mkdir -p "$2" && cd "$2" && pwd)
dpi=$3 monitors=$4 filter=$5
source "$(dirname "$0")/../../scripts/wine-env.sh"
trap wine_env_stop EXIT
if [ "$monitors" = 2 ]; then two_monitors_start; else xvfb_start; fi
wine_prefix_start
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\AppDefaults\window_tests.exe\X11 Driver' /v Managed /d N /f \
  >/dev/null 2>&1
wine_gtest "$exe" --gtest_filter="$filter"
