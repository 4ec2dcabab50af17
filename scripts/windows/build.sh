#!/bin/sh
# Builds Psyche Rondo for 64-bit Windows on Debian 12, runs every test under Wine, smoke-tests the real program and
# writes the portable zip and the installer into dist/. Usage: sh scripts/windows/build.sh
# The Windows Qt is built once into a cache folder outside the tree ($PSYCHE_WINDOWS_CACHE, default
# ~/.cache/psyche-rondo-windows) and reused by later runs.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
sudo=$(command -v sudo || true)
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update > /dev/null
$sudo apt-get install -y --no-install-recommends \
    qt6-base-dev qt6-translations-l10n cmake ninja-build g++ dpkg-dev \
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
    wine wine64 xvfb xauth xdotool x11-apps imagemagick nsis zip unzip librsvg2-bin icoutils > /dev/null

PSYCHE_WINDOWS_QT=$(sh scripts/windows/build-qt.sh | tail -n 1)
export PSYCHE_WINDOWS_QT
echo "Qt pour Windows : $PSYCHE_WINDOWS_QT"

cmake --preset windows
cmake --build --preset windows

# Wine finds the Qt and MinGW DLLs through WINEPATH; it never asks to install Mono or Gecko, and runs in a prefix
# of its own so that a user's Wine setup is left alone.
mingw_gcc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
mingw_lib=/usr/x86_64-w64-mingw32/lib
export WINEPREFIX="${PSYCHE_WINEPREFIX:-$root/build-windows/wineprefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export WINEARCH=win64
wine_path() { winepath -w "$1" 2> /dev/null; }
wineboot -i > /dev/null 2>&1 || true
wineserver -w
WINEPATH="$(wine_path "$PSYCHE_WINDOWS_QT/bin");$(wine_path "$mingw_gcc");$(wine_path "$mingw_lib")"
export WINEPATH

# The Wine server is started afresh inside the virtual display: one left from another display cannot create windows.
status=0
wineserver -k 2> /dev/null || true
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows || status=$?
wineserver -w
if [ "$status" -ne 0 ]; then
    # Each Windows test writes its report to build-windows/tests/<name>.log (see tests/CMakeLists.txt).
    sed 's/^[0-9]*://' build-windows/Testing/Temporary/LastTestsFailed.log 2> /dev/null | while read -r name; do
        echo "=== $name"
        grep -av '^PASS' "build-windows/tests/$name.log" 2> /dev/null || true
    done
    echo "Des tests ont échoué sous Wine." >&2
    exit "$status"
fi

version=$(sed -n 's/^project(PsycheRondo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
sh scripts/windows/package.sh "$root/build-windows" "$PSYCHE_WINDOWS_QT" "$version" "$mingw_gcc" "$mingw_lib"
sh scripts/windows/smoke-test.sh "$root/dist/psyche-rondo-$version-windows-x64.zip" \
    "$root/dist/psyche-rondo-$version-setup.exe"
ls -l dist/
