#!/usr/bin/env bash
# Runs the palette-display tests of window_tests on a private 8-bit X screen, where Wine
# reports a 256-colour palette device. Its own Wine prefix: one prefix follows one display.
# Usage: run_on_palette_display.sh <window_tests.exe> <work folder>
set -euo pipefail
exe=$(realpath "$1")
export BUILD_DIR=$(mkdir -p "$2" && cd "$2" && pwd)
source "$(dirname "$0")/../../scripts/wine-env.sh"
trap wine_env_stop EXIT
SCREEN_GEOMETRY=1024x768x8 xvfb_start
wine_prefix_start
HV_PALETTE_DISPLAY=1 wine_gtest "$exe" --gtest_filter='PaletteDisplay.*'
