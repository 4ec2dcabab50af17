#!/bin/sh
# Regenerates the pictures of docs/screenshots under Xvfb (offscreen when xvfb-run is missing).
# Needs a configured build: cmake --preset default
# With --windows, copies instead the picture of the Windows program that the last Windows build's smoke test took
# (dist/windows.png, from sh scripts/windows/build.sh) into docs/screenshots/windows.png.
set -e
cd "$(dirname "$0")/.."
if [ "${1-}" = --windows ]; then
    [ -f dist/windows.png ] || { echo "dist/windows.png absent : lancez d'abord sh scripts/windows/build.sh" >&2; exit 1; }
    cp dist/windows.png docs/screenshots/windows.png
    exit 0
fi
cmake --build build --target psyche-screenshots
if command -v xvfb-run > /dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" ./build/psyche-screenshots docs/screenshots
else
    QT_QPA_PLATFORM=offscreen ./build/psyche-screenshots docs/screenshots
fi
