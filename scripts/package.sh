#!/usr/bin/env bash
# Builds the release into dist/: Pigmora.dll (size-optimised, stripped) with its debug file
# Pigmora.dll.debug and link map for crash reports, the installer Huevista-VERSION.msi, the
# README as text, and SHA256SUMS. The 64-bit DLL (x64/) and its installer
# Huevista-x64-VERSION.msi join when its toolchain file exists.
# Not part of the tests (they build and check the same DLL and installer).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
export BUILD_DIR="$ROOT/build"
bash scripts/setup.sh
version=$(head -1 VERSION)
dist="$ROOT/dist"

release() { # release BUILD_DIR TOOLCHAIN
  cmake -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=MinSizeRel --no-warn-unused-cli >/dev/null
  cmake --build "$1" -j"$(nproc)" --target Pigmora >/dev/null
  bash tests/release/dll_budget.sh "$1/Pigmora.dll" | sed -n 1p
}
release build/release cmake/toolchain-i686-mingw.cmake
rm -rf "$dist"
mkdir -p "$dist"
cp build/release/Pigmora.dll build/release/Pigmora.dll.debug "$dist/"
cp build/release/Pigmora.map "$dist/Pigmora.dll.map"
if [ -f cmake/toolchain-x86_64-mingw.cmake ]; then
  release build/release64 cmake/toolchain-x86_64-mingw.cmake
  mkdir -p "$dist/x64"
  cp build/release64/Pigmora.dll build/release64/Pigmora.dll.debug "$dist/x64/"
  cp build/release64/Pigmora.map "$dist/x64/Pigmora.dll.map"
fi
sed 's/$/\r/' README.md >"$dist/README.txt"

# The installer's registry rows come from the DLL's own registration, run in a Wine prefix.
source scripts/wine-env.sh
export WINEPREFIX="$BUILD_DIR/package-prefix"
trap wine_env_stop EXIT
wine_prefix_start
bash packaging/build-msi.sh "$dist/Huevista-$version.msi" "$version" "$dist/Pigmora.dll" \
  "$dist/README.txt"
# The 64-bit package's rows come from the 64-bit DLL's registration, in a 64-bit prefix.
if [ -f "$dist/x64/Pigmora.dll" ]; then
  wine_use_prefix "$BUILD_DIR/package-prefix64" win64
  wine_prefix_start
  bash packaging/build-msi.sh "$dist/Huevista-x64-$version.msi" "$version" "$dist/x64/Pigmora.dll" \
    "$dist/README.txt"
fi

(cd "$dist" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | sort | xargs sha256sum >SHA256SUMS)
echo "dist/ for VB 6 Huevista $version:"
(cd "$dist" && ls -l)
